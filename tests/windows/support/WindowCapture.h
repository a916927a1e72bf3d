#pragma once
// Saves what a window shows on the screen as a PNG file, and reads such a file back.
#include "DibCanvas.h"

#include <windows.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qivyun::test {

// The folder for the screenshots of the Windows tests (out/screens of the source tree).
std::string ScreensFolder();

// The window's rectangle as the screen shows it now.
std::unique_ptr<DibCanvas> CaptureWindow(HWND window);

// Writes the picture as PNG to a path in UTF-8, making the folders on the way. GDI+ must be started.
bool SavePng(const DibCanvas& picture, const std::string& path);
bool SaveWindowPng(HWND window, const std::string& path);

// A PNG's pixels as 0x00RRGGBB, row by row from the top; nothing when it cannot be read.
struct Picture {
    int width = 0, height = 0;
    std::vector<uint32_t> pixels;
};
std::optional<Picture> LoadPng(const std::string& path);

}  // namespace qivyun::test
