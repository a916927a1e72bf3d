#include "skin/kinds/PopupMenuSkinner.h"

#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "framework/OffscreenSurface.h"
#include "skin/container/DrawPart.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/patching/Unpatched.h"

namespace qivyun::skin {
namespace {

// MN_GETHMENU: the menu a menu window shows.
constexpr UINT GetMenuOfWindow = 0x01E1;

}  // namespace

PopupMenuSkinner::~PopupMenuSkinner() {
    if (menu_) Engine().ReturnMenuItems(menu_);
}

LRESULT PopupMenuSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        // The system hands the window its menu while it creates it, before the items are measured.
        return CallPreviousThen(message, wParam, lParam, [this] { OwnItems(); });
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintClient();
        return 0;
    case WM_PRINTCLIENT:
        return CallPreviousThen(message, wParam, lParam, [&] { DrawBackgroundAround(crack::Dc(wParam)); });
    case WM_NCPAINT:
        PaintFrame();
        return 0;
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

void PopupMenuSkinner::OwnItems() {
    menu_ = reinterpret_cast<HMENU>(CallPrevious(GetMenuOfWindow, 0, 0));
    if (!menu_) return;
    const int count = GetMenuItemCount(menu_);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        // Items the program draws itself stay its own.
        if (GetMenuItemInfoW(menu_, static_cast<UINT>(position), TRUE, &info) && !(info.fType & MFT_OWNERDRAW))
            Engine().OwnMenuItem(menu_, static_cast<UINT>(position));
    }
}

// The system draws the menu (its items through the owner, that is the engine) into a buffer, the
// skin's background goes around the items, and the buffer is copied once.
void PopupMenuSkinner::PaintClient() {
    PAINTSTRUCT paint;
    HDC dc = unpatched::BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    OffscreenSurface buffer(dc, client.right, client.bottom);
    if (buffer) {
        Engine().RememberDcOwner(buffer.Dc(), window);
        WindowProc(WM_PRINTCLIENT, DcParameter(buffer.Dc()), PRF_CLIENT);
        Engine().ForgetDcOwner(buffer.Dc());
        buffer.CopyTo(dc, 0, 0);
    }
    unpatched::EndPaint(window, &paint);
}

void PopupMenuSkinner::DrawBackgroundAround(HDC dc) const {
    const SkinData* skin = LoadedSkin();
    if (!skin || !dc) return;
    SavedDcState saved(dc);
    const int count = menu_ ? GetMenuItemCount(menu_) : 0;
    for (int position = 0; position < count; ++position) {
        RECT item;
        if (!GetMenuItemRect(nullptr, menu_, static_cast<UINT>(position), &item)) continue;
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&item), 2);
        ExcludeClipRect(dc, item.left, item.top, item.right, item.bottom);
    }
    DrawPart(dc, WindowInClient(window), skin->Part(SkinPart::MenuBackground), *skin);
}

// Where the system gives the menu window a frame, the background's edges are drawn there.
void PopupMenuSkinner::PaintFrame() const {
    const SkinData* skin = LoadedSkin();
    const RECT outer = WindowRectAtOrigin(window);
    const RECT client = ClientRectInWindow(window);
    if (!skin || EqualRect(&outer, &client)) return;
    WindowDc windowDc(window, unpatched::DcCalls());
    if (!windowDc) return;
    ExcludeClipRect(windowDc.Get(), client.left, client.top, client.right, client.bottom);
    OffscreenSurface buffer(windowDc.Get(), outer.right, outer.bottom);
    if (!buffer) return;
    DrawPart(buffer.Dc(), outer, skin->Part(SkinPart::MenuBackground), *skin);
    buffer.CopyTo(windowDc.Get(), 0, 0);
}

}  // namespace qivyun::skin
