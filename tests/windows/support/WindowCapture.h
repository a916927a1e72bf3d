#pragma once
// Saves what a window shows on the screen as a PNG file.
#include <windows.h>

#include <string>

namespace qivyun::test {

// The folder for the screenshots of the Windows tests (out/screens of the source tree).
std::string ScreensFolder();

// Copies the window's rectangle from the screen and writes it as PNG. GDI+ must be started.
bool SaveWindowPng(HWND window, const std::string& path);

}  // namespace qivyun::test
