#pragma once
// The skin engine: one per process, attached by the program's start-up on its user-interface
// thread. It watches every window of that thread through a window-procedure hook, chooses a skin
// type from the window's class, and gives the window a skinner of the type's kind, handing it the
// loaded skin and the engine's services. The entry points below are what the programs call.
#include "skin/container/SkinData.h"
#include "skin/engine/SkinTypes.h"
#include "skin/engine/SkinnerServices.h"
#include "skin/engine/WindowSkinner.h"
#include "skin/kinds/OwnedMenuItems.h"

#include <windows.h>

#include <vector>

namespace qivyun::skin {

// What the loaders answer; the entry points return these numbers, which the programs ignore.
enum class LoadResult : int {
    Loaded = 0,
    Unreadable = 1,      // the skin cannot be read, or a colour value lies outside its range
    FileUnreadable = 2,  // the skin file is missing, empty or reads short
    NoBytes = 3,         // no bytes, or no module or no such resource
    AtlasUnusable = 4,   // the skin file's atlas cannot be located or made
    BadStream = 5,       // the skin file's magic, body size or LZMA stream is bad
    BadVersion = 6,      // the skin file is of another version
    NotAttached = 8,     // no engine, or an engine without its hook
};

// The entry points.
// Creates the engine once (0); a second call keeps the existing one.
int AttachSkinEngine(HINSTANCE instance);
// A skin resource of the process's module: NoBytes when there is no module or no such resource,
// else as LoadSkinFromMemory. The reserved text is not used.
int LoadSkinFromResource(const char* name, const char* type, const char* reserved, int hue, int saturation,
                         int lightness);
// NotAttached when the engine is not attached (or has no hook), NoBytes for no bytes, Unreadable
// when the skin cannot be read or the colour values lie outside hue 0-360, saturation and
// lightness 0-256; otherwise the skin is in use, every window of the calling thread refreshed,
// and the result Loaded.
int LoadSkinFromMemory(const void* bytes, size_t size, const char* reserved, int hue, int saturation,
                       int lightness);
// "kelvo.zor" beside the attached module, with the reading result (FileUnreadable for a missing
// file).
int LoadSkinFromFile();

class SkinEngine final : public SkinnerServices, public SkinnerRoster {
public:
    // The attached engine, or nothing.
    static SkinEngine* Current();
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

    // Reads a skin and brings every window of this thread up to it: the results of
    // LoadSkinFromMemory after its attach and null checks.
    LoadResult Load(const void* bytes, size_t size, int hue, int saturation, int lightness);
    LoadResult LoadFile();

    // Every window of the calling thread, top-level windows and their descendants: unskinned ones
    // are examined again, skinned ones get their frame drawn again.
    void RefreshThreadWindows();
    // The skinners the engine made, while they live.
    const std::vector<WindowSkinner*>& Skinners() const { return skinners_; }
    const OwnedMenuItems& MenuItems() const { return menuItems_; }

    // The services of the kinds. CreateSkinner makes nothing for an excluded type either.
    WindowSkinner* CreateSkinner(HWND window, SkinType type) override;
    void RememberDcOwner(HDC dc, HWND window) override;
    void ForgetDcOwner(HDC dc) override;
    void RecolourBlackText(HDC dc, COLORREF colour) override;
    bool OwnMenuItem(HMENU menu, UINT position) override { return menuItems_.Own(menu, position); }
    void ReturnMenuItems(HMENU menu) override { menuItems_.Return(menu); }

private:
    explicit SkinEngine(HINSTANCE instance);
    void Leave(WindowSkinner& skinner) override;
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
    OwnedMenuItems menuItems_{*this};
};

}  // namespace qivyun::skin
