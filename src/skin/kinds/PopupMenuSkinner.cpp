#include "skin/kinds/PopupMenuSkinner.h"

#include "framework/Handles.h"
#include "skin/container/DrawPart.h"
#include "skin/SkinEngine.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/patching/Unpatched.h"

namespace qivyun::skin {
namespace {

// MN_GETHMENU: the menu a menu window shows.
constexpr UINT GetMenuOfWindow = 0x01E1;

}  // namespace

PopupMenuSkinner::~PopupMenuSkinner() {
    if (SkinEngine* engine = SkinEngine::Current(); engine && menu_) engine->ReturnMenuItems(menu_);
}

PopupMenuSkinner* PopupMenuSkinner::Showing(HMENU menu) {
    SkinEngine* engine = SkinEngine::Current();
    if (!engine || !menu) return nullptr;
    for (WindowSkinner* skinner : engine->Skinners()) {
        if (skinner->skinType != 1016) continue;
        auto* popup = static_cast<PopupMenuSkinner*>(skinner);
        if (popup->menu_ == menu) return popup;
    }
    return nullptr;
}

LRESULT PopupMenuSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: {
        // The system hands the window its menu while it creates it, before the items are measured.
        LRESULT result = CallPrevious(message, wParam, lParam);
        OwnItems();
        return result;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT:
        PaintClient();
        return 0;
    case WM_PRINTCLIENT: {
        LRESULT result = CallPrevious(message, wParam, lParam);
        DrawBackgroundAround(reinterpret_cast<HDC>(wParam));
        return result;
    }
    case WM_NCPAINT:
        PaintFrame();
        return 0;
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

void PopupMenuSkinner::OwnItems() {
    SkinEngine* engine = SkinEngine::Current();
    menu_ = reinterpret_cast<HMENU>(CallPrevious(GetMenuOfWindow, 0, 0));
    if (!engine || !menu_) return;
    const int count = GetMenuItemCount(menu_);
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOA info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE;
        // Items the program draws itself stay its own.
        if (GetMenuItemInfoA(menu_, static_cast<UINT>(position), TRUE, &info) && !(info.fType & MFT_OWNERDRAW))
            engine->OwnMenuItem(menu_, static_cast<UINT>(position));
    }
}

// The system draws the menu (its items through the owner, that is the engine) into a buffer, the
// skin's background goes around the items, and the buffer is copied once.
void PopupMenuSkinner::PaintClient() {
    PAINTSTRUCT paint;
    HDC dc = unpatched::BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    UniqueGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(dc, client.right, client.bottom));
    if (bitmap) {
        MemoryDc buffer(dc, bitmap.Get());
        SkinEngine* engine = SkinEngine::Current();
        if (engine) engine->RememberDcOwner(buffer.Get(), window);
        WindowProc(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(buffer.Get()), PRF_CLIENT);
        if (engine) engine->ForgetDcOwner(buffer.Get());
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer.Get(), 0, 0, SRCCOPY);
    }
    unpatched::EndPaint(window, &paint);
}

void PopupMenuSkinner::DrawBackgroundAround(HDC dc) const {
    const SkinData* skin = SkinEngine::LoadedSkin();
    if (!skin || !dc) return;
    const int saved = SaveDC(dc);
    const int count = menu_ ? GetMenuItemCount(menu_) : 0;
    for (int position = 0; position < count; ++position) {
        RECT item;
        if (!GetMenuItemRect(nullptr, menu_, static_cast<UINT>(position), &item)) continue;
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&item), 2);
        ExcludeClipRect(dc, item.left, item.top, item.right, item.bottom);
    }
    DrawPart(dc, WindowInClient(window), skin->Part(SkinPart::MenuBackground), *skin);
    RestoreDC(dc, saved);
}

// Where the system gives the menu window a frame, the background's edges are drawn there.
void PopupMenuSkinner::PaintFrame() const {
    const SkinData* skin = SkinEngine::LoadedSkin();
    const RECT outer = WindowRectAtOrigin(window);
    const RECT client = ClientRectInWindow(window);
    if (!skin || EqualRect(&outer, &client)) return;
    HDC windowDc = unpatched::GetWindowDC(window);
    if (!windowDc) return;
    ExcludeClipRect(windowDc, client.left, client.top, client.right, client.bottom);
    UniqueGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(windowDc, outer.right, outer.bottom));
    if (bitmap) {
        MemoryDc buffer(windowDc, bitmap.Get());
        DrawPart(buffer.Get(), outer, skin->Part(SkinPart::MenuBackground), *skin);
        BitBlt(windowDc, 0, 0, outer.right, outer.bottom, buffer.Get(), 0, 0, SRCCOPY);
    }
    unpatched::ReleaseDC(window, windowDc);
}

}  // namespace qivyun::skin
