#pragma once
// Texts at the system's edge. The programs keep their texts in GBK; windows, controls and drawing
// calls see UTF-16, converted here by code page 936 itself, never by the system's code page for
// non-Unicode programs, so that a window reads the same on every system.
#include <windows.h>

#include <string>
#include <string_view>

namespace qivyun {

void SetText(HWND window, std::string_view gbkText);
// The window's text in GBK; a character GBK cannot hold reads as "?".
std::string TextOf(HWND window);
// The window's text as the system holds it: what the user typed, before anything is lost.
std::wstring WideTextOf(HWND window);

// DrawTextW of a GBK text; the rectangle receives the measure when the format asks for it.
int DrawGbkText(HDC dc, std::string_view gbkText, RECT& rect, UINT format);

// A string resource of the module, as GBK.
std::string LoadGbkString(HINSTANCE module, UINT id);

}  // namespace qivyun
