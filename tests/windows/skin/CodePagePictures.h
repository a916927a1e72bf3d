#pragma once
// The skin's texts on systems of other code pages. The tests that draw texts run under code page
// 936, where what they draw becomes the reference, and again under 1252, 950 and 65001, where it
// must be the same to the pixel.
#include "SkinnedWindows.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace qivyun::skin::test {

// What the window shows in `area` (window coordinates; the whole window when empty) against the
// reference called `name`: under 936 it becomes the reference, under any other code page it must
// equal it outside `ignore` (coordinates of the area). A run started for a code page
// (QIVYUN_CODE_PAGE) that the system does not have fails, so that a run meant for another system
// never passes on this one unnoticed.
testing::AssertionResult LooksAsUnder936(HWND window, const std::string& name, RECT area = {}, RECT ignore = {});

}  // namespace qivyun::skin::test
