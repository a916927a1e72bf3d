#pragma once
// Scoped drawing: a DC taken is a DC given back, an object selected is selected back, a DC's state
// saved is restored, each by an owner rather than by a pair of calls in a handler.
#include "framework/Handles.h"

#include <windows.h>

namespace qivyun {

// The functions through which a window's DC is taken and given back: the system's, unless a
// caller has to reach past something installed over them (the skin calls past its redirection).
struct DcFunctions {
    HDC(WINAPI* getDc)(HWND);
    HDC(WINAPI* getWindowDc)(HWND);
    int(WINAPI* releaseDc)(HWND, HDC);

    static DcFunctions System() { return {&::GetDC, &::GetWindowDC, &::ReleaseDC}; }
};

// A DC of a window, given back with ReleaseDC when the owner goes; empty when the system gives
// none. A client DC of no window is the screen's.
class WindowDcOwner {
public:
    WindowDcOwner(const WindowDcOwner&) = delete;
    WindowDcOwner& operator=(const WindowDcOwner&) = delete;
    ~WindowDcOwner() {
        if (dc_) release_(window_, dc_);
    }
    HDC Get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

protected:
    WindowDcOwner(HWND window, HDC dc, int(WINAPI* release)(HWND, HDC)) : window_(window), dc_(dc), release_(release) {}

private:
    HWND window_;
    HDC dc_;
    int(WINAPI* release_)(HWND, HDC);
};

// The client area's DC (GetDC).
class ClientDc : public WindowDcOwner {
public:
    explicit ClientDc(HWND window, const DcFunctions& functions = DcFunctions::System())
        : WindowDcOwner(window, functions.getDc(window), functions.releaseDc) {}
};

// The whole window's DC, frame included (GetWindowDC).
class WindowDc : public WindowDcOwner {
public:
    explicit WindowDc(HWND window, const DcFunctions& functions = DcFunctions::System())
        : WindowDcOwner(window, functions.getWindowDc(window), functions.releaseDc) {}
};

// An object selected into a DC for the owner's life; the one it replaced goes back in. Nothing is
// selected into a null DC or for a null object.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(dc && object ? SelectObject(dc, object) : nullptr) {}
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;
    ~SelectedObject() {
        if (previous_) SelectObject(dc_, previous_);
    }

    // For a DC that goes back to its owner with the object in it (the answer to WM_CTLCOLOR...,
    // which the control then draws with): selected, and never selected back.
    static void LeaveSelected(HDC dc, HGDIOBJ object) { SelectObject(dc, object); }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// The DC's state (clip region, origins, selected objects, colours and modes) as it was, back when
// the owner goes: the clip guard of whatever draws with a narrowed clip.
class SavedDcState {
public:
    explicit SavedDcState(HDC dc) : dc_(dc), saved_(SaveDC(dc)) {}
    SavedDcState(const SavedDcState&) = delete;
    SavedDcState& operator=(const SavedDcState&) = delete;
    ~SavedDcState() {
        if (saved_) RestoreDC(dc_, saved_);
    }

private:
    HDC dc_;
    int saved_;
};

}  // namespace qivyun
