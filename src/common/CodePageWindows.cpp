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
// A character beyond the basic plane (a surrogate pair) is one character: one "?".
std::string GbkFromUtf8(std::string_view utf8) {
    std::wstring wide = Wide(utf8, CP_UTF8);
    std::wstring single;
    single.reserve(wide.size());
    for (size_t i = 0; i < wide.size(); ++i) {
        bool pair = wide[i] >= 0xD800 && wide[i] <= 0xDBFF && i + 1 < wide.size() && wide[i + 1] >= 0xDC00 &&
                    wide[i + 1] <= 0xDFFF;
        single.push_back(pair ? L'?' : wide[i]);
        if (pair) ++i;
    }
    return Narrow(single, Gbk);
}

std::string Utf8FromGbk(std::string_view gbk) {
    std::wstring wide = Wide(gbk, Gbk);
    for (wchar_t& c : wide)
        if (c == 0xFFFD) c = L'?';
    return Narrow(wide, CP_UTF8);
}

}  // namespace qivyun
