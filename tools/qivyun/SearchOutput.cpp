#include "SearchCommands.h"

#include "common/CodePage.h"
#include "search/SearchEngine.h"

#include <algorithm>
#include <cstdio>

namespace qivyun::tool {
namespace {

constexpr size_t KeywordBoxLimit = 1023;

std::string CodePointText(char32_t codePoint) {
    char text[16];
    std::snprintf(text, sizeof text, "U+%04X", static_cast<unsigned>(codePoint));
    return text;
}

}  // namespace

// Tab, line feed and carriage return are never a GBK trail byte, so they can be replaced in the
// GBK text before it is turned into UTF-8.
std::string ColumnText(const std::string& gbk) {
    std::string text = gbk;
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return Utf8FromGbk(text);
}

BoxKeyword KeywordFromArgument(const std::string& utf8Keyword) {
    BoxKeyword keyword{GbkFromUtf8(utf8Keyword), false};
    size_t end = 0;
    while (end < keyword.gbk.size()) {
        const auto lead = static_cast<unsigned char>(keyword.gbk[end]);
        const size_t length = (lead >= 0x81 && lead <= 0xFE) ? 2 : 1;
        if (end + length > KeywordBoxLimit) break;
        end += length;
    }
    keyword.shortened = end < keyword.gbk.size();
    keyword.gbk.resize(std::min(end, keyword.gbk.size()));
    return keyword;
}

// The keyword box would show such a character as "?" and the sites would be asked for that.
CLI::Validator GbkKeyword() {
    return CLI::Validator(
        [](std::string& text) -> std::string {
            std::string refused;
            std::string_view rest = text;
            while (!rest.empty()) {
                char32_t codePoint = 0;
                const size_t length = Utf8Sequence(rest, codePoint);
                if (length == 0) return "not UTF-8 text (byte " + Printable(rest.substr(0, 1)) + ")";
                const std::string_view character = rest.substr(0, length);
                if (codePoint != '?' && GbkFromUtf8(character) == "?")
                    refused += (refused.empty() ? "" : ", ") + Printable(character) + " (" + CodePointText(codePoint) + ")";
                rest.remove_prefix(length);
            }
            if (refused.empty()) return {};
            return refused + " cannot be searched: the keyword box holds GBK text only";
        },
        "UTF-8");
}

CLI::Validator EngineName(bool orAll) {
    return CLI::Validator(
        [orAll](std::string& name) -> std::string {
            if (EngineFromName(name) || (orAll && CLI::detail::to_lower(name) == "all")) return {};
            return "no site is named " + Printable(name) + " (Ed2k4U, H31B, DHCT, FuSo, Hash" +
                   (orAll ? ", all" : "") + "; any case)";
        },
        orAll ? "Ed2k4U|H31B|DHCT|FuSo|Hash|all" : "Ed2k4U|H31B|DHCT|FuSo|Hash");
}

void PrintScanResult(const ScanResult& result, bool rowsOnly) {
    std::string out = rowsOnly ? "" : "total\t" + ColumnText(result.totalText) + "\n";
    for (const ResultRow& row : result.rows) {
        out += ColumnText(row.id) + "\t" + ColumnText(row.name) + "\t" + ColumnText(row.size) + "\t" +
               ColumnText(row.address) + "\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

}  // namespace qivyun::tool
