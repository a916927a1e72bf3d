// Fuzz target: the page-text assembly and the record scan over any response body, the scan checked
// against the plain algorithm.
//   byte 0      the engine (modulo 5)
//   byte 1      where the body is split into two chunks (as a fraction of its length)
//   the rest    the response body
#include "search/PageText.h"
#include "search/ResultScan.h"
#include "search/TextScan.h"

#include <cstdint>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

using namespace qivyun;

namespace {

// FindText as a walk that compares at every character start.
std::ptrdiff_t WalkingFind(std::string_view text, std::string_view marker, std::ptrdiff_t start) {
    if (start < 0) start = 0;
    if (start > static_cast<std::ptrdiff_t>(text.size())) return NotFound;
    for (auto i = static_cast<size_t>(start); i + marker.size() <= text.size(); i += IsGbkLeadByte(text[i]) ? 2 : 1)
        if (text.compare(i, marker.size(), marker) == 0) return static_cast<std::ptrdiff_t>(i);
    return NotFound;
}

std::string WalkingRule(const FieldRule& rule, std::string_view text) {
    return ApplyFieldRuleWith(rule, text, [&rule](std::string_view t, int cutIndex) {
        const Cut& cut = cutIndex == 0 ? rule.first : rule.second;
        return CutBetweenWith(
            t, cut.open.size(), [&](std::string_view x, std::ptrdiff_t at) { return WalkingFind(x, cut.open, at); },
            [&](std::string_view x, std::ptrdiff_t at) { return WalkingFind(x, cut.close, at); });
    });
}

// The rows as the plain algorithm gives them: every search a walk over a copy of the rest of the
// page, in the page order of the records.
std::vector<ResultRow> WalkingScan(const SearchEngine& engine, std::string page) {
    std::vector<ResultRow> rows;
    std::ptrdiff_t pos = WalkingFind(page, engine.recordMarker, 0);
    while (pos > 0) {
        page = std::string(TextAfter(page, pos));
        pos = WalkingFind(page, engine.recordMarker, 0);
        rows.push_back({std::to_string(rows.size() + 1), std::string(PlayHintPrefix) + WalkingRule(engine.nameRule, page),
                        WalkingRule(engine.sizeRule, page), WalkingRule(engine.addressRule, page)});
    }
    return rows;
}

bool SameRow(const ResultRow& a, const ResultRow& b) {
    return a.id == b.id && a.name == b.name && a.size == b.size && a.address == b.address;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const SearchEngine& engine = EngineSettings(static_cast<EngineId>(data[0] % 5));
    const std::string_view body(reinterpret_cast<const char*>(data + 2), size - 2);

    const std::string whole = AssemblePageText(body);
    PageTextBuilder builder;
    const size_t split = body.size() * data[1] / 255;
    builder.Append(body.substr(0, split));
    builder.Append(body.substr(split));
    if (builder.Finish() != whole) __builtin_trap();  // chunking must not change the page text

    // The page in a buffer of exactly its size, so that any read past its end is caught.
    const std::unique_ptr<char[]> buffer(new char[whole.size() ? whole.size() : 1]);
    std::memcpy(buffer.get(), whole.data(), whole.size());
    const std::string_view page(buffer.get(), whole.size());

    const ScanResult result = ScanResultPage(engine, page, 0);
    if (result.rowCounter != static_cast<int>(result.rows.size())) __builtin_trap();
    if (result.totalText != WalkingRule(engine.totalRule, page)) __builtin_trap();

    // The scan that remembers where markers were found gives the rows of the plain one (whose
    // time grows with the square of the page, hence only on smaller pages).
    if (page.size() <= 4096) {
        const std::vector<ResultRow> expected = WalkingScan(engine, std::string(page));
        if (expected.size() != result.rows.size()) __builtin_trap();
        for (size_t i = 0; i < expected.size(); ++i)
            if (!SameRow(expected[i], result.rows[result.rows.size() - 1 - i])) __builtin_trap();
    }

    // Cuts with markers taken from the page itself land inside the page.
    if (page.size() >= 3) {
        const std::string_view cut = CutBetween(page, page.substr(0, 2), page.substr(2, 1));
        if (!cut.empty() && (cut.data() < page.data() || cut.data() + cut.size() > page.data() + page.size()))
            __builtin_trap();
        const std::ptrdiff_t at = FindText(page, page.substr(page.size() - 1), static_cast<std::ptrdiff_t>(data[1]));
        if (at != NotFound && (at < 0 || static_cast<size_t>(at) >= page.size())) __builtin_trap();
    }
    return 0;
}
