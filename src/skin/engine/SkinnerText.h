#pragma once
// The texts the engine reads from windows as the system holds them, UTF-16, so that they come out
// the same whatever the system's code page for non-Unicode programs.
#include <windows.h>

#include <string>

namespace qivyun::skin {

// The window's whole text, through the wide function.
std::wstring WindowText(HWND window);
// The window's class name in GBK, as the table of skin types spells class names; a character GBK
// cannot hold becomes "?".
std::string ClassNameOf(HWND window);

}  // namespace qivyun::skin
