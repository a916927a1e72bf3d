#include "SearchCommands.h"

#include "common/CodePage.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <iostream>

namespace qivyun::tool {
namespace {

constexpr size_t KeywordBoxLimit = 1023;

}  // namespace

// Tab, line feed and carriage return are never a GBK trail byte, so they can be replaced in the
// GBK text before it is turned into UTF-8.
std::string ColumnText(const std::string& gbk) {
    std::string text = gbk;
    for (char& c : text)
        if (c == '\t' || c == '\n' || c == '\r') c = ' ';
    return Utf8FromGbk(text);
}

std::string KeywordFromArgument(const std::string& utf8Keyword) {
    std::string keyword = GbkFromUtf8(utf8Keyword);
    size_t end = 0;
    while (end < keyword.size()) {
        const auto lead = static_cast<unsigned char>(keyword[end]);
        const size_t length = (lead >= 0x81 && lead <= 0xFE) ? 2 : 1;
        if (end + length > KeywordBoxLimit) break;
        end += length;
    }
    keyword.resize(std::min(end, keyword.size()));
    return keyword;
}

std::optional<int> ParseNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    for (const char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

void PrintScanResult(const ScanResult& result) {
    std::string out = "total\t" + ColumnText(result.totalText) + "\n";
    for (const ResultRow& row : result.rows) {
        out += ColumnText(row.id) + "\t" + ColumnText(row.name) + "\t" + ColumnText(row.size) + "\t" +
               ColumnText(row.address) + "\n";
    }
    std::fwrite(out.data(), 1, out.size(), stdout);
}

int BadArguments(const char* usage) {
    std::cerr << "usage: qivyun " << usage << "\n";
    if (std::strstr(usage, "ENGINE")) std::cerr << "ENGINE is one of Ed2k4U H31B DHCT FuSo Hash (any case)\n";
    return 2;
}

}  // namespace qivyun::tool
