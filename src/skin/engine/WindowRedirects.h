#pragma once
// Records through which a skinner takes over painting and device contexts of its window: the
// redirected BeginPaint and EndPaint ("ZOR_D") and GetDC, GetWindowDC and ReleaseDC ("ZOR_E").
#include <windows.h>

#include <functional>
#include <vector>

namespace qivyun::skin {

struct PaintRedirect {
    std::function<HDC(HWND, PAINTSTRUCT*)> beginPaint;
    std::function<BOOL(HWND, const PAINTSTRUCT*)> endPaint;
};

struct DcRedirect {
    // Empty routines leave the calls to the system.
    std::function<HDC(HWND)> getDc;
    std::function<HDC(HWND)> getWindowDc;
    std::function<int(HWND, HDC)> releaseDc;
    std::vector<HDC> handedOut;
    bool active = false;

    bool HandedOut(HDC dc) const;
};

inline bool DcRedirect::HandedOut(HDC dc) const {
    for (HDC each : handedOut) {
        if (each == dc) return true;
    }
    return false;
}

}  // namespace qivyun::skin
