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

std::string Narrow(std::wstring_view wide, UINT codePage, bool* lossless) {
    if (lossless) *lossless = true;
    if (wide.empty()) return {};
    const bool utf8 = codePage == CP_UTF8;
    const char* fallback = utf8 ? nullptr : "?";
    BOOL usedFallback = FALSE;
    BOOL* reportFallback = utf8 ? nullptr : &usedFallback;
    // Without best fit: the system would otherwise write "À" as GBK's "à" and "²" as "2", and call
    // the text held.
    const DWORD flags = utf8 ? 0 : WC_NO_BEST_FIT_CHARS;
    int n = WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), nullptr, 0, fallback,
                                reportFallback);
    std::string text(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(codePage, flags, wide.data(), static_cast<int>(wide.size()), text.data(), n, fallback,
                        reportFallback);
    if (lossless && usedFallback) *lossless = false;
    return text;
}

bool IsLeadSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsTrailSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

}  // namespace

std::wstring WideFromGbk(std::string_view gbk) { return Wide(gbk, Gbk); }

// A character beyond the basic plane (a surrogate pair) has no GBK form: it becomes one "?", not two.
std::string GbkFromWide(std::wstring_view wide, bool* lossless) {
    std::wstring single;
    single.reserve(wide.size());
    bool paired = false;
    for (size_t i = 0; i < wide.size(); ++i) {
        const bool pair = IsLeadSurrogate(wide[i]) && i + 1 < wide.size() && IsTrailSurrogate(wide[i + 1]);
        single.push_back(pair ? L'?' : wide[i]);
        if (pair) {
            paired = true;
            ++i;
        }
    }
    std::string gbk = Narrow(single, Gbk, lossless);
    if (lossless && paired) *lossless = false;
    return gbk;
}

std::wstring WideFromUtf8(std::string_view utf8) { return Wide(utf8, CP_UTF8); }

std::string Utf8FromWide(std::wstring_view wide) { return Narrow(wide, CP_UTF8, nullptr); }

// UTF-8 that does not decode becomes U+FFFD, which GBK cannot hold either, so it ends as "?".
std::string GbkFromUtf8(std::string_view utf8) { return GbkFromWide(WideFromUtf8(utf8)); }

std::string Utf8FromGbk(std::string_view gbk) {
    std::wstring wide = WideFromGbk(gbk);
    for (wchar_t& c : wide)
        if (c == 0xFFFD) c = L'?';
    return Utf8FromWide(wide);
}

}  // namespace qivyun
