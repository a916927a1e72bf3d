#pragma once
// The skin engine: one per process, attached by the program's start-up on its user-interface
// thread. It watches every window of that thread through a window-procedure hook, chooses a skin
// type from the window's class, and gives the window a skinner that subclasses it.
#include "skin/kinds/OwnedMenuItems.h"
#include "skin/container/SkinData.h"
#include "skin/engine/SkinTypeChoice.h"
#include "skin/engine/WindowSkinner.h"

#include <windows.h>

#include <mutex>
#include <utility>
#include <vector>

namespace qivyun::skin {

// The entry points; the programs ignore their results.
// Creates the engine once (0); a second call keeps the existing one.
int AttachSkinEngine(HINSTANCE instance);
// A skin resource of the process's module: 3 when there is no module or no such resource, else
// as LoadSkinFromMemory. The reserved text is not used.
int LoadSkinFromResource(const char* name, const char* type, const char* reserved, int hue, int saturation,
                         int lightness);
// 8 when the engine is not attached (or has no hook), 3 for no bytes, 1 when the skin cannot be
// read or the colour values lie outside hue 0-360, saturation and lightness 0-256; otherwise the
// skin is in use, every window of the calling thread refreshed, and the result 0.
int LoadSkinFromMemory(const void* bytes, size_t size, const char* reserved, int hue, int saturation,
                       int lightness);
// "kelvo.zor" beside the attached module, with the reading result (2 for a missing file).
int LoadSkinFromFile();

// The engine's private message: examine this window now (sent by the refresh after a load).
constexpr UINT ExamineWindowMessage = 0x6A30;

class SkinEngine {
public:
    // The attached engine, or nothing.
    static SkinEngine* Current();
    // The skin in use, or nothing while no engine is attached or no skin loaded.
    static const SkinData* LoadedSkin();
    static SkinEngine& Attach(HINSTANCE instance);

    bool Hooked() const { return hook_ != nullptr; }
    // The system's major version is not 5 (the wheel handling of scrollable controls asks).
    bool NotVersion5() const { return notVersion5_; }
    HINSTANCE Instance() const { return instance_; }
    bool SkinLoaded() const { return skinData_.Loaded(); }
    const SkinData& Skin() const { return skinData_; }
    // UpdateLayeredWindow and SetLayeredWindowAttributes, null where the system lacks them.
    decltype(&::UpdateLayeredWindow) UpdateLayered() const { return updateLayeredWindow_; }
    decltype(&::SetLayeredWindowAttributes) SetLayeredAttributes() const { return setLayeredWindowAttributes_; }

    // Reads a skin and brings every window of this thread up to it: the result codes of
    // LoadSkinFromMemory after its attach and null checks.
    int Load(const void* bytes, size_t size, int hue, int saturation, int lightness);
    int LoadFile();

    // Creates the skinner of the type's kind for the window and attaches it; nothing for an
    // excluded type or a type without a kind.
    WindowSkinner* CreateSkinner(HWND window, SkinType type);
    // Every window of the calling thread, top-level windows and their descendants: unskinned ones
    // are examined again, skinned ones get their frame drawn again.
    void RefreshThreadWindows();
    const std::vector<WindowSkinner*>& Skinners() const { return skinners_; }
    // A skinner leaves the list when it goes.
    void Forget(WindowSkinner* skinner);

    // Menu items the engine draws itself (the menu kinds make them so).
    bool OwnMenuItem(HMENU menu, UINT position) { return menuItems_.Own(menu, position); }
    // The items of a menu whose window goes get their own looks back.
    void ReturnMenuItems(HMENU menu) { menuItems_.Return(menu); }
    const OwnedMenuItems& MenuItems() const { return menuItems_; }

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
    static BOOL CALLBACK RefreshTopLevel(HWND window, LPARAM self);
    static BOOL CALLBACK RefreshChild(HWND window, LPARAM self);
    void AfterLoad();
    void Examine(HWND window);
    void InterceptMenuOwner(HWND window);
    void RefreshWindow(HWND window);

    bool notVersion5_ = false;
    HHOOK hook_ = nullptr;
    HINSTANCE instance_ = nullptr;
    SkinData skinData_;
    decltype(&::UpdateLayeredWindow) updateLayeredWindow_ = nullptr;
    decltype(&::SetLayeredWindowAttributes) setLayeredWindowAttributes_ = nullptr;
    std::vector<WindowSkinner*> skinners_;
    std::vector<SkinType> excludedTypes_;
    mutable std::mutex dcOwnersLock_;  // WindowFromDC asks from any thread
    std::vector<std::pair<HDC, HWND>> dcOwners_;
    OwnedMenuItems menuItems_;
};

}  // namespace qivyun::skin
