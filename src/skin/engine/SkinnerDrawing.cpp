#include "skin/engine/SkinnerDrawing.h"

#include "skin/container/DrawPart.h"
#include "skin/SkinEngine.h"
#include "skin/engine/SkinProperties.h"
#include "skin/patching/Unpatched.h"

namespace qivyun::skin {
namespace {

constexpr DWORD EdgeStyles = WS_EX_CLIENTEDGE | WS_EX_STATICEDGE | WS_EX_WINDOWEDGE;

struct BorderColours {
    SkinColour pen, fill;
};

BorderColours BorderColoursOfState(HWND window) {
    if (!IsWindowEnabled(window)) return {SkinColour::BorderPenDisabled, SkinColour::BorderFillDisabled};
    if (GetFocus() == window) return {SkinColour::BorderPenFocused, SkinColour::BorderFillFocused};
    return {SkinColour::BorderPen, SkinColour::BorderFill};
}

}  // namespace

OffScreenBuffer::OffScreenBuffer(HDC compatibleWith, int width, int height)
    : width_(width),
      height_(height),
      bitmap_(width > 0 && height > 0 ? CreateCompatibleBitmap(compatibleWith, width, height) : nullptr),
      memory_(compatibleWith, bitmap_.Get()) {}

void OffScreenBuffer::CopyTo(HDC dc, int x, int y) const { BitBlt(dc, x, y, width_, height_, Dc(), 0, 0, SRCCOPY); }

void PaintBetweenBeginAndEnd(HWND window, const std::function<void(HDC)>& paint) {
    PAINTSTRUCT paintStruct;
    if (HDC dc = unpatched::BeginPaint(window, &paintStruct)) paint(dc);
    unpatched::EndPaint(window, &paintStruct);
}

void PaintWindowOffScreen(HWND window, const std::function<void(HDC, const RECT&, const SkinData&)>& paint) {
    const SkinData* skin = SkinEngine::LoadedSkin();
    if (!skin) return;
    HDC windowDc = unpatched::GetWindowDC(window);
    if (!windowDc) return;
    const RECT all = WindowRectAtOrigin(window);
    OffScreenBuffer buffer(windowDc, all.right, all.bottom);
    if (buffer) {
        paint(buffer.Dc(), all, *skin);
        buffer.CopyTo(windowDc, 0, 0);
    }
    unpatched::ReleaseDC(window, windowDc);
}

RECT WindowRectAtOrigin(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    OffsetRect(&rect, -rect.left, -rect.top);
    return rect;
}

RECT ClientRectInWindow(HWND window) {
    RECT outer, client;
    GetWindowRect(window, &outer);
    GetClientRect(window, &client);
    MapWindowPoints(window, nullptr, reinterpret_cast<POINT*>(&client), 2);
    OffsetRect(&client, -outer.left, -outer.top);
    return client;
}

RECT WindowInClient(HWND window) {
    RECT rect;
    GetWindowRect(window, &rect);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

void DrawSkinPart(HDC dc, const RECT& rect, SkinPart part, const SkinData& skin) {
    DrawPart(dc, rect, skin.Part(part), skin);
}

void FillSkinBackground(HWND window, HDC dc, const RECT& rect, const SkinData& skin) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (HANDLE colour = GetPropA(window, BackgroundColourProperty)) {
        UniqueGdiObject<HBRUSH> brush(CreateSolidBrush(static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(colour))));
        HGDIOBJ previous = SelectObject(dc, brush.Get());
        PatBlt(dc, rect.left, rect.top, width, height, PATCOPY);
        SelectObject(dc, previous);
        return;
    }
    // The brush origin is in device units: where the top-level client's (0, 0) falls in this DC.
    POINT origin{0, 0}, logical{0, 0};
    MapWindowPoints(window, GetAncestor(window, GA_ROOT), &origin, 1);
    GetWindowOrgEx(dc, &logical);
    POINT previousOrigin;
    SetBrushOrgEx(dc, -origin.x - logical.x, -origin.y - logical.y, &previousOrigin);
    HGDIOBJ previous = SelectObject(dc, skin.BackgroundBrush());
    PatBlt(dc, rect.left, rect.top, width, height, PATCOPY);
    SelectObject(dc, previous);
    SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
}

COLORREF SkinTextColour(HWND window, SkinColour colour, const SkinData& skin) {
    if (HANDLE given = GetPropA(window, TextColourProperty))
        return static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(given));
    return skin.Colour(colour);
}

HFONT SkinnerFont(HWND window, SkinFontSlot slot, const SkinData& skin) {
    if (HANDLE given = GetPropA(window, FontProperty)) return static_cast<HFONT>(given);
    if (HFONT font = skin.Font(slot, false)) return font;
    if (auto own = reinterpret_cast<HFONT>(SendMessageA(window, WM_GETFONT, 0, 0))) return own;
    return skin.DefaultFont(false);
}

void PaintNonClientBorder(HWND window, const RECT& inner, const SkinData& skin) {
    const RECT outer = WindowRectAtOrigin(window);
    if (EqualRect(&outer, &inner)) return;
    HDC windowDc = unpatched::GetWindowDC(window);
    if (!windowDc) return;
    OffScreenBuffer buffer(windowDc, outer.right, outer.bottom);
    if (buffer) {
        const bool bordered = (unpatched::GetWindowLongA(window, GWL_EXSTYLE) & EdgeStyles) ||
                              (unpatched::GetWindowLongA(window, GWL_STYLE) & WS_BORDER);
        if (bordered) {
            const BorderColours colours = BorderColoursOfState(window);
            UniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, skin.Colour(colours.pen)));
            UniqueGdiObject<HBRUSH> fill(CreateSolidBrush(skin.Colour(colours.fill)));
            HGDIOBJ previousPen = SelectObject(buffer.Dc(), pen.Get());
            HGDIOBJ previousBrush = SelectObject(buffer.Dc(), fill.Get());
            Rectangle(buffer.Dc(), outer.left, outer.top, outer.right, outer.bottom);
            SelectObject(buffer.Dc(), previousBrush);
            SelectObject(buffer.Dc(), previousPen);
        } else {
            FillSkinBackground(window, buffer.Dc(), outer, skin);
        }
        // Only the frame: the client area is the control's own.
        ExcludeClipRect(windowDc, inner.left, inner.top, inner.right, inner.bottom);
        buffer.CopyTo(windowDc, 0, 0);
    }
    unpatched::ReleaseDC(window, windowDc);
}

}  // namespace qivyun::skin
