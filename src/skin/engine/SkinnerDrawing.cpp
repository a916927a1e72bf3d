#include "skin/engine/SkinnerDrawing.h"

#include "framework/DeviceContext.h"
#include "framework/OffscreenSurface.h"
#include "skin/container/DrawPart.h"
#include "skin/engine/SkinProperties.h"
#include "skin/engine/WindowSkinner.h"
#include "skin/patching/Unpatched.h"

#include <windowsx.h>

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

void PaintBetweenBeginAndEnd(HWND window, const std::function<void(HDC)>& paint) {
    PAINTSTRUCT paintStruct;
    if (HDC dc = unpatched::BeginPaint(window, &paintStruct)) paint(dc);
    unpatched::EndPaint(window, &paintStruct);
}

void PaintWindowOffScreen(HWND window, const SkinData& skin, const std::function<void(HDC, const RECT&)>& paint,
                          ChildWindows children) {
    if (!skin.Loaded()) return;
    WindowDc windowDc(window, unpatched::DcCalls());
    if (!windowDc) return;
    const RECT all = WindowRectAtOrigin(window);
    if (children == ChildWindows::Spared) {
        RECT place;
        GetWindowRect(window, &place);
        for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child)) continue;
            RECT rect;
            GetWindowRect(child, &rect);
            ExcludeClipRect(windowDc.Get(), rect.left - place.left, rect.top - place.top, rect.right - place.left,
                            rect.bottom - place.top);
        }
    }
    SurfacePool::Lease buffer = skin.Surfaces().Borrow(windowDc.Get(), all.right, all.bottom);
    if (!buffer) return;
    paint(buffer.Dc(), all);
    buffer.CopyTo(windowDc.Get(), 0, 0);
}

void PaintClientOffScreen(HWND window, HDC given, const SkinData& skin, const std::function<void(HDC, const RECT&)>& paint) {
    auto compose = [&](HDC target) {
        if (!skin.Loaded()) return;
        RECT client;
        GetClientRect(window, &client);
        if (client.right <= 0 || client.bottom <= 0) return;
        SurfacePool::Lease buffer = skin.Surfaces().Borrow(target, client.right, client.bottom);
        if (!buffer) return;
        paint(buffer.Dc(), client);
        buffer.CopyTo(target, 0, 0);
    };
    if (given) {
        compose(given);
        return;
    }
    PaintBetweenBeginAndEnd(window, compose);
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

HANDLE ButtonImage(HWND button, bool icon) {
    return reinterpret_cast<HANDLE>(SendMessageA(button, BM_GETIMAGE, icon ? IMAGE_ICON : IMAGE_BITMAP, 0));
}

SIZE ImageSize(HANDLE image, bool icon) {
    if (!image) return SIZE{0, 0};
    if (!icon) {
        BITMAP bits{};
        return GetObjectA(image, sizeof(bits), &bits) ? SIZE{bits.bmWidth, bits.bmHeight} : SIZE{0, 0};
    }
    ICONINFO info{};
    if (!GetIconInfo(static_cast<HICON>(image), &info)) return SIZE{0, 0};
    // The bitmaps GetIconInfo makes are the caller's.
    UniqueGdiObject<HBITMAP> colour(info.hbmColor), mask(info.hbmMask);
    BITMAP bits{};
    GetObjectA(colour ? colour.Get() : mask.Get(), sizeof(bits), &bits);
    return SIZE{bits.bmWidth, colour ? bits.bmHeight : bits.bmHeight / 2};
}

void DrawSkinPart(HDC dc, const RECT& rect, SkinPart part, const SkinData& skin) {
    DrawPart(dc, rect, skin.Part(part), skin);
}

std::optional<COLORREF> HostColour(HWND window, const char* property) {
    HANDLE value = GetPropA(window, property);
    if (!value) return std::nullopt;
    return static_cast<COLORREF>(reinterpret_cast<UINT_PTR>(value));
}

HFONT HostFont(HWND window) { return static_cast<HFONT>(GetPropA(window, FontProperty)); }

void FillSkinBackground(HWND window, HDC dc, const RECT& rect, const SkinData& skin) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (const std::optional<COLORREF> colour = HostColour(window, BackgroundColourProperty)) {
        UniqueGdiObject<HBRUSH> brush(CreateSolidBrush(*colour));
        SelectedObject selected(dc, brush.Get());
        PatBlt(dc, rect.left, rect.top, width, height, PATCOPY);
        return;
    }
    // The brush origin is in device units: where the top-level client's (0, 0) falls in this DC.
    POINT origin{0, 0}, logical{0, 0};
    MapWindowPoints(window, GetAncestor(window, GA_ROOT), &origin, 1);
    GetWindowOrgEx(dc, &logical);
    POINT previousOrigin;
    SetBrushOrgEx(dc, -origin.x - logical.x, -origin.y - logical.y, &previousOrigin);
    {
        SelectedObject selected(dc, skin.BackgroundBrush());
        PatBlt(dc, rect.left, rect.top, width, height, PATCOPY);
    }
    SetBrushOrgEx(dc, previousOrigin.x, previousOrigin.y, nullptr);
}

COLORREF SkinTextColour(HWND window, SkinColour colour, const SkinData& skin) {
    return HostColour(window, TextColourProperty).value_or(skin.Colour(colour));
}

HFONT SkinnerFont(HWND window, SkinFontSlot slot, const SkinData& skin) {
    if (HFONT given = HostFont(window)) return given;
    if (HFONT font = skin.Font(slot, false)) return font;
    // A skinned control's own font comes from the procedure beneath the engine's, where a message
    // sent to the window would arrive too, after the thread's hooks.
    const WindowSkinner* skinner = WindowSkinner::Of(window);
    const auto own = skinner ? reinterpret_cast<HFONT>(skinner->CallPrevious(WM_GETFONT, 0, 0)) : GetWindowFont(window);
    return own ? own : skin.DefaultFont(false);
}

namespace {

// What paint(buffer, window rectangle at the origin) draws between the window rectangle and
// `inner` (window coordinates), copied once; the inside is the control's own.
void ComposeAround(HWND window, const RECT& inner, const SkinData& skin, const std::function<void(HDC, const RECT&)>& paint) {
    const RECT outer = WindowRectAtOrigin(window);
    if (EqualRect(&outer, &inner)) return;
    WindowDc windowDc(window, unpatched::DcCalls());
    if (!windowDc) return;
    SurfacePool::Lease buffer = skin.Surfaces().Borrow(windowDc.Get(), outer.right, outer.bottom);
    if (!buffer) return;
    ExcludeClipRect(buffer.Dc(), inner.left, inner.top, inner.right, inner.bottom);
    ExcludeClipRect(windowDc.Get(), inner.left, inner.top, inner.right, inner.bottom);
    paint(buffer.Dc(), outer);
    buffer.CopyTo(windowDc.Get(), 0, 0);
}

}  // namespace

void PaintFrameOffScreen(HWND window, const SkinData& skin, const std::function<void(HDC, const RECT&)>& paint) {
    if (skin.Loaded()) ComposeAround(window, ClientRectInWindow(window), skin, paint);
}

void PaintNonClientBorder(HWND window, const RECT& inner, const SkinData& skin) {
    ComposeAround(window, inner, skin, [&](HDC dc, const RECT& outer) {
        const bool bordered = (unpatched::GetWindowLongA(window, GWL_EXSTYLE) & EdgeStyles) ||
                              (unpatched::GetWindowLongA(window, GWL_STYLE) & WS_BORDER);
        if (bordered) {
            const BorderColours colours = BorderColoursOfState(window);
            UniqueGdiObject<HPEN> pen(CreatePen(PS_SOLID, 1, skin.Colour(colours.pen)));
            UniqueGdiObject<HBRUSH> fill(CreateSolidBrush(skin.Colour(colours.fill)));
            SelectedObject selectedPen(dc, pen.Get());
            SelectedObject selectedBrush(dc, fill.Get());
            Rectangle(dc, outer.left, outer.top, outer.right, outer.bottom);
        } else {
            FillSkinBackground(window, dc, outer, skin);
        }
    });
}

void PaintBorderAroundSystemBars(WindowSkinner& skinner, WPARAM region, const SkinData& skin) {
    const HWND window = skinner.window;
    const LONG style = unpatched::GetWindowLongA(window, GWL_STYLE);
    if (!(style & (WS_HSCROLL | WS_VSCROLL))) {
        PaintNonClientBorder(window, ClientRectInWindow(window), skin);
        return;
    }
    skinner.CallPrevious(WM_NCPAINT, region, 0);
    WINDOWINFO info{};
    info.cbSize = sizeof(info);
    if (!GetWindowInfo(window, &info)) return;
    RECT inner = WindowRectAtOrigin(window);
    InflateRect(&inner, -int(info.cxWindowBorders), -int(info.cyWindowBorders));
    PaintNonClientBorder(window, inner, skin);
}

}  // namespace qivyun::skin
