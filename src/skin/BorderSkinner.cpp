#include "skin/BorderSkinner.h"

#include "framework/Handles.h"
#include "skin/SkinEngine.h"
#include "skin/Unpatched.h"

namespace qivyun::skin {
namespace {

constexpr DWORD EdgeStyles = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE;

struct BorderColours {
    SkinColour pen, fill;
};

BorderColours ColoursOfState(HWND window) {
    if (!IsWindowEnabled(window)) return {SkinColour::BorderPenDisabled, SkinColour::BorderFillDisabled};
    if (GetFocus() == window) return {SkinColour::BorderPenFocused, SkinColour::BorderFillFocused};
    return {SkinColour::BorderPen, SkinColour::BorderFill};
}

}  // namespace

LRESULT BorderSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCPAINT:
        PaintBorder();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE: {
        LRESULT result = CallPrevious(message, wParam, lParam);
        PaintBorder();
        return result;
    }
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

// Composed off screen and copied once, the client area left out.
void BorderSkinner::PaintBorder() const {
    SkinEngine* engine = SkinEngine::Current();
    if (!engine || !engine->SkinLoaded()) return;
    const SkinData& skin = engine->Skin();
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -outer.left, -outer.top);
    OffsetRect(&outer, -outer.left, -outer.top);
    if (EqualRect(&outer, &client)) return;

    HDC windowDc = unpatched::GetWindowDC(window);
    UniqueGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(windowDc, outer.right, outer.bottom));
    if (bitmap) {
        MemoryDc buffer(windowDc, bitmap.Get());
        const bool bordered = (unpatched::GetWindowLongA(window, GWL_EXSTYLE) & EdgeStyles) ||
                              (unpatched::GetWindowLongA(window, GWL_STYLE) & WS_BORDER);
        if (bordered) {
            BorderColours colours = ColoursOfState(window);
            UniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, skin.Colour(colours.pen)));
            UniqueGdiObject<HBRUSH> fill(CreateSolidBrush(skin.Colour(colours.fill)));
            HGDIOBJ oldPen = SelectObject(buffer.Get(), pen.Get());
            HGDIOBJ oldBrush = SelectObject(buffer.Get(), fill.Get());
            Rectangle(buffer.Get(), outer.left, outer.top, outer.right, outer.bottom);
            SelectObject(buffer.Get(), oldBrush);
            SelectObject(buffer.Get(), oldPen);
        } else {
            FillRect(buffer.Get(), &outer, skin.BackgroundBrush());
        }
        ExcludeClipRect(windowDc, client.left, client.top, client.right, client.bottom);
        BitBlt(windowDc, 0, 0, outer.right, outer.bottom, buffer.Get(), 0, 0, SRCCOPY);
    }
    unpatched::ReleaseDC(window, windowDc);
}

}  // namespace qivyun::skin
