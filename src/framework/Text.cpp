#include "framework/Text.h"

#include "common/CodePage.h"

namespace qivyun {

void SetText(HWND window, std::string_view gbkText) { SetWindowTextW(window, WideFromGbk(gbkText).c_str()); }

std::string TextOf(HWND window) { return GbkFromWide(WideTextOf(window)); }

std::wstring WideTextOf(HWND window) {
    const int length = GetWindowTextLengthW(window);
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const int copied = GetWindowTextW(window, text.data(), length + 1);
    text.resize(static_cast<size_t>(copied > 0 ? copied : 0));
    return text;
}

int DrawGbkText(HDC dc, std::string_view gbkText, RECT& rect, UINT format) {
    std::wstring wide = WideFromGbk(gbkText);
    return DrawTextW(dc, wide.c_str(), static_cast<int>(wide.size()), &rect, format);
}

std::string LoadGbkString(HINSTANCE module, UINT id) {
    // A length of 0 asks for a pointer to the resource's own characters, which are not terminated.
    const wchar_t* characters = nullptr;
    const int length = LoadStringW(module, id, reinterpret_cast<wchar_t*>(&characters), 0);
    return length > 0 && characters ? GbkFromWide(std::wstring_view(characters, static_cast<size_t>(length))) : "";
}

}  // namespace qivyun
