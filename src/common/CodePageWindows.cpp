#include "common/CodePage.h"

#include <windows.h>

namespace qivyun {
namespace {

constexpr UINT Gbk = 936;

std::wstring Wide(std::string_view text, UINT codePage) {
    if (text.empty()) return {};
    int n = MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(codePage, 0, text.data(), static_cast<int>(text.size()), wide.data(), n);
    return wide;
}

std::string Narrow(const std::wstring& wide, UINT codePage) {
    if (wide.empty()) return {};
    const char* fallback = codePage == CP_UTF8 ? nullptr : "?";
    int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0, fallback, nullptr);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), text.data(), n, fallback, nullptr);
    return text;
}

}  // namespace

// UTF-8 that does not decode becomes U+FFFD, which GBK cannot hold either, so it ends as "?".
std::string GbkFromUtf8(std::string_view utf8) { return Narrow(Wide(utf8, CP_UTF8), Gbk); }

std::string Utf8FromGbk(std::string_view gbk) {
    std::wstring wide = Wide(gbk, Gbk);
    for (wchar_t& c : wide)
        if (c == 0xFFFD) c = L'?';
    return Narrow(wide, CP_UTF8);
}

}  // namespace qivyun
