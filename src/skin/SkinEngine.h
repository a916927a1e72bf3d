#pragma once
// The skin engine: one per process, attached by the program's start-up on its user-interface
// thread. It watches every window of that thread through a window-procedure hook, chooses a skin
// type from the window's class, and gives the window a skinner that subclasses it.
#include "skin/SkinTypeChoice.h"
#include "skin/WindowSkinner.h"

#include <windows.h>

#include <mutex>
#include <utility>
#include <vector>

namespace qivyun::skin {

// The engine's private message: examine this window now (sent by the refresh after a load).
constexpr UINT ExamineWindowMessage = 0x6A30;

class SkinEngine {
public:
    // The attached engine, or nothing.
    static SkinEngine* Current();
    // Creates the engine once (a second call reuses it); see AttachSkinEngine.
    static SkinEngine& Attach(HINSTANCE instance);

    bool Hooked() const { return hook_ != nullptr; }
    bool SkinLoaded() const { return skinLoaded_; }
    HINSTANCE Instance() const { return instance_; }

    // Creates the skinner of the type's kind for the window and attaches it; nothing for an
    // excluded type or a type without a kind.
    WindowSkinner* CreateSkinner(HWND window, SkinType type);
    // Every window of the calling thread, top-level windows and their descendants: unskinned ones
    // are examined again, skinned ones get their frame drawn again.
    void RefreshThreadWindows();
    const std::vector<WindowSkinner*>& Skinners() const { return skinners_; }
    // A skinner leaves the list when it goes.
    void Forget(WindowSkinner* skinner);

    // The DCs the engine hands out for windows, for the WindowFromDC redirection.
    void RememberDcOwner(HDC dc, HWND window);
    void ForgetDcOwner(HDC dc);
    static HWND WindowOfDc(HDC dc);

    // Serves the timers that skinners start: OnTimer of the window's skinner.
    static void CALLBACK TimerProcedure(HWND window, UINT message, UINT_PTR id, DWORD time);

private:
    explicit SkinEngine(HINSTANCE instance);
    static LRESULT CALLBACK HookProcedure(int code, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK MenuOwnerProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK DropDownListProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void Examine(HWND window);
    void InterceptMenuOwner(HWND window);
    static BOOL CALLBACK RefreshTopLevel(HWND window, LPARAM self);
    static BOOL CALLBACK RefreshChild(HWND window, LPARAM self);
    void RefreshWindow(HWND window);

    bool notVersion5_ = false;
    bool skinLoaded_ = false;
    HHOOK hook_ = nullptr;
    HINSTANCE instance_ = nullptr;
    std::vector<WindowSkinner*> skinners_;
    std::vector<SkinType> excludedTypes_;
    mutable std::mutex dcOwnersLock_;  // WindowFromDC asks from any thread
    std::vector<std::pair<HDC, HWND>> dcOwners_;
};

}  // namespace qivyun::skin
