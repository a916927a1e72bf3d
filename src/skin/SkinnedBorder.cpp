#include "skin/SkinnedBorder.h"

#include "framework/Handles.h"
#include "skin/Unpatched.h"

namespace qivyun::skin {
namespace {

constexpr LONG EdgeStyles = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE;

struct BorderColours {
    SkinColour pen, fill;
};

BorderColours ColoursOfState(HWND window) {
    if (!IsWindowEnabled(window)) return {SkinColour::BorderPenDisabled, SkinColour::BorderFillDisabled};
    if (GetFocus() == window) return {SkinColour::BorderPenFocused, SkinColour::BorderFillFocused};
    return {SkinColour::BorderPen, SkinColour::BorderFill};
}

}  // namespace

RECT ClientRectInWindow(HWND window) {
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -outer.left, -outer.top);
    return client;
}

// One rectangle or one fill, clipped to the frame: nothing is drawn twice, so nothing flickers.
void PaintNonClientBorder(HWND window, const RECT& inner, const SkinData& skin) {
    RECT outer;
    GetWindowRect(window, &outer);
    OffsetRect(&outer, -outer.left, -outer.top);
    if (EqualRect(&outer, &inner)) return;
    HDC windowDc = unpatched::GetWindowDC(window);
    if (!windowDc) return;
    const bool bordered = (unpatched::GetWindowLongA(window, GWL_EXSTYLE) & EdgeStyles) ||
                          (unpatched::GetWindowLongA(window, GWL_STYLE) & WS_BORDER);
    UniqueGdiObject<HPEN> pen;
    UniqueGdiObject<HBRUSH> fill;
    const int saved = SaveDC(windowDc);
    ExcludeClipRect(windowDc, inner.left, inner.top, inner.right, inner.bottom);
    if (bordered) {
        const BorderColours colours = ColoursOfState(window);
        pen.Reset(CreatePen(PS_SOLID, 1, skin.Colour(colours.pen)));
        fill.Reset(CreateSolidBrush(skin.Colour(colours.fill)));
        SelectObject(windowDc, pen.Get());
        SelectObject(windowDc, fill.Get());
        Rectangle(windowDc, outer.left, outer.top, outer.right, outer.bottom);
    } else {
        FillRect(windowDc, &outer, skin.BackgroundBrush());
    }
    // Selects the DC's own pen and brush back before their owners delete ours.
    RestoreDC(windowDc, saved);
    unpatched::ReleaseDC(window, windowDc);
}

}  // namespace qivyun::skin
