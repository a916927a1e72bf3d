// Fuzz target: the page-text assembly and the record scan over any response body.
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

using namespace qivyun;

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
