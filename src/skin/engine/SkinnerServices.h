#pragma once
// What the engine does for the skinner kinds. A kind is handed it, with the loaded skin, when it is
// made, so that no kind reaches for a process-wide engine.
#include "skin/container/SkinData.h"
#include "skin/engine/SkinTypes.h"

#include <windows.h>

namespace qivyun::skin {

class WindowSkinner;

class SkinnerServices {
public:
    // Makes the skinner of the type's kind for a window and attaches it (a kind hands its window
    // over to another kind so); nothing for a type without a kind.
    virtual WindowSkinner* CreateSkinner(HWND window, SkinType type) = 0;

    // A DC that a kind paints a window through (a buffer of its own): WindowFromDC answers the
    // window for it until it is forgotten.
    virtual void RememberDcOwner(HDC dc, HWND window) = 0;
    virtual void ForgetDcOwner(HDC dc) = 0;
    // Black text that ExtTextOutA/W draw into dc comes out in colour, until the DC is cleared with null.
    virtual void RecolourBlackText(HDC dc, COLORREF colour) = 0;

    // Makes a menu item one the engine measures and draws itself; false when the menu has no such item.
    virtual bool OwnMenuItem(HMENU menu, UINT position) = 0;
    // The items of a menu whose window goes get their own looks back.
    virtual void ReturnMenuItems(HMENU menu) = 0;

protected:
    ~SkinnerServices() = default;
};

// What a kind is handed when it is made: the engine's skin (drawn from while it is loaded; a new
// load replaces it in place) and the engine's services.
struct SkinnerContext {
    const SkinData& skin;
    SkinnerServices& engine;
};

}  // namespace qivyun::skin
