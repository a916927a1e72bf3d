#pragma once
// The WebBrowser control in a window of ours. Dialog templates name it by its class identifier;
// this window class of the same name hosts it.
#include "framework/Window.h"

namespace qivyun {

inline constexpr char WebBrowserClassId[] = "{8856F961-340A-11D0-A96B-00C04FD705A2}";

class BrowserControl : public Window {
public:
    // Registers the window class that dialog templates name; safe to call more than once.
    static void RegisterWindowClass();
};

}  // namespace qivyun
