#include "skin/kinds/GroupBoxSkinner.h"

#include "skin/kinds/GroupBoxCaption.h"
#include "skin/SkinEngine.h"
#include "skin/patching/Unpatched.h"

namespace qivyun::skin {
namespace {

constexpr int MaximumCaptionBytes = 1023;

// Leaves out every visible child of the box that is not transparent.
BOOL CALLBACK ExcludeChild(HWND child, LPARAM clip) {
    HWND box = GetParent(child);
    if (!IsWindowVisible(child) || (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT)) return TRUE;
    RECT place, origin;
    GetWindowRect(child, &place);
    GetWindowRect(box, &origin);
    OffsetRect(&place, -origin.left, -origin.top);
    UniqueGdiObject<HRGN> childRegion(CreateRectRgnIndirect(&place));
    CombineRgn(reinterpret_cast<HRGN>(clip), reinterpret_cast<HRGN>(clip), childRegion.Get(), RGN_DIFF);
    return TRUE;
}

// The caption's part, drawn only when the skin gives part 103 a width.
bool HasCaptionBackground(const SkinData& skin) { return skin.Part(SkinPart::GroupBoxCaption).width != 0; }

SIZE ImageSize(HANDLE image, bool icon) {
    if (!image) return SIZE{0, 0};
    if (!icon) {
        BITMAP bits{};
        return GetObjectA(image, sizeof(bits), &bits) ? SIZE{bits.bmWidth, bits.bmHeight} : SIZE{0, 0};
    }
    ICONINFO info{};
    if (!GetIconInfo(static_cast<HICON>(image), &info)) return SIZE{0, 0};
    BITMAP bits{};
    GetObjectA(info.hbmColor ? info.hbmColor : info.hbmMask, sizeof(bits), &bits);
    const SIZE size{bits.bmWidth, info.hbmColor ? bits.bmHeight : bits.bmHeight / 2};
    if (info.hbmColor) DeleteObject(info.hbmColor);
    if (info.hbmMask) DeleteObject(info.hbmMask);
    return size;
}

}  // namespace

GroupBoxSkinner::GroupBoxSkinner() {
    dcRecord_.getDc = [this](HWND) {
        if (!scratch_) {
            HDC screen = unpatched::GetDC(nullptr);
            scratch_ = std::make_unique<OffScreenBuffer>(screen, 1, 1);
            unpatched::ReleaseDC(nullptr, screen);
        }
        dcRecord_.handedOut.assign(1, scratch_->Dc());
        return scratch_->Dc();
    };
    dcRecord_.releaseDc = [](HWND, HDC) { return 1; };
    dcRecord_.active = true;
}

void GroupBoxSkinner::OnAttach() { SetDcRedirect(&dcRecord_); }

LRESULT GroupBoxSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        PaintBetweenBeginAndEnd(window, [this](HDC dc) { Paint(dc); });
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_CTLCOLORDLG:
    case WM_CTLCOLORSTATIC:
        return OnControlColour(message, wParam, lParam);
    case WM_SETTEXT: {
        HDC dc = unpatched::GetDC(window);
        staleCaption_ = CaptionGap(dc);
        unpatched::ReleaseDC(window, dc);
        LRESULT result = CallPrevious(message, wParam, lParam);
        Paint(nullptr);
        return result;
    }
    case WM_ENABLE: {
        LRESULT result = CallPrevious(message, wParam, lParam);
        Paint(nullptr);
        return result;
    }
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

LRESULT GroupBoxSkinner::OnControlColour(UINT message, WPARAM wParam, LPARAM lParam) {
    LRESULT result = CallPrevious(message, wParam, lParam);
    const SkinData* skin = SkinEngine::LoadedSkin();
    if (!skin) return result;
    if (message == WM_CTLCOLORSTATIC) {
        auto dc = reinterpret_cast<HDC>(wParam);
        WindowSkinner* childSkinner = WindowSkinner::Of(reinterpret_cast<HWND>(lParam));
        const bool enabled = IsWindowEnabled(window) != FALSE;
        if (!childSkinner || childSkinner->skinType == 1034 || childSkinner->skinType == 1030) {
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, skin->Colour(enabled ? SkinColour::StaticText : SkinColour::StaticTextDisabled));
        } else {
            SetBkColor(dc, skin->BackgroundColour());
            SetTextColor(dc, skin->Colour(SkinColour::StaticTextDisabled));
        }
    }
    return reinterpret_cast<LRESULT>(skin->BackgroundBrush());
}

RECT GroupBoxSkinner::CaptionGap(HDC dc) const {
    const SkinData* skin = SkinEngine::LoadedSkin();
    char caption[MaximumCaptionBytes + 1] = {};
    const int length = GetWindowTextA(window, caption, sizeof(caption));
    if (!skin || !dc || length <= 0) return RECT{};
    const int saved = SaveDC(dc);
    SelectObject(dc, SkinnerFont(window, SkinFontSlot::GroupBoxFont, *skin));
    RECT measured{0, 0, 0, 0};
    DrawTextA(dc, caption, length, &measured, DT_CALCRECT);
    RestoreDC(dc, saved);
    const DWORD style = static_cast<DWORD>(unpatched::GetWindowLongA(window, GWL_STYLE));
    const GroupBoxCaptionLayout layout = LayOutTextCaption(WindowRectAtOrigin(window).right, true, measured.right,
                                                           measured.bottom, HasCaptionBackground(*skin), style);
    return ToRect(layout.gap);
}

void GroupBoxSkinner::PaintParentBackground(HDC dc, const RECT& area) const {
    HWND parent = GetParent(window);
    if (!parent || IsRectEmpty(&area)) return;
    POINT origin{0, 0};
    MapWindowPoints(window, parent, &origin, 1);
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
    SendMessageA(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    RestoreDC(dc, saved);
}

void GroupBoxSkinner::Paint(HDC given) {
    const SkinData* skin = SkinEngine::LoadedSkin();
    if (!skin) return;
    HDC dc = given ? given : unpatched::GetDC(window);
    if (!dc) return;
    const int savedState = SaveDC(dc);
    const RECT all = WindowRectAtOrigin(window);
    const int w = all.right, h = all.bottom;
    const bool enabled = IsWindowEnabled(window) != FALSE;
    const DWORD style = static_cast<DWORD>(unpatched::GetWindowLongA(window, GWL_STYLE));

    UniqueGdiObject<HRGN> clip(CreateRectRgn(0, 0, w + 1, h + 1));
    EnumChildWindows(window, &ExcludeChild, reinterpret_cast<LPARAM>(clip.Get()));
    SelectClipRgn(dc, clip.Get());

    if (style & WS_CLIPSIBLINGS) {
        FillSkinBackground(window, dc, all, *skin);
    } else {
        // The inside is left to what lies behind; only the caption's place is painted afresh, so a
        // new text or the disabled colour never lands on the old caption.
        RECT stale;
        const RECT gap = CaptionGap(dc);
        UnionRect(&stale, &gap, &staleCaption_);
        PaintParentBackground(dc, stale);
    }
    staleCaption_ = RECT{};

    int frameTop = 0;
    const bool captionBackground = HasCaptionBackground(*skin);
    const SkinPart captionPart = enabled ? SkinPart::GroupBoxCaption : SkinPart::GroupBoxCaptionDisabled;
    if (style & (BS_ICON | BS_BITMAP)) {
        const bool icon = (style & BS_ICON) != 0;
        auto image = reinterpret_cast<HANDLE>(SendMessageA(window, BM_GETIMAGE, icon ? IMAGE_ICON : IMAGE_BITMAP, 0));
        const SIZE size = ImageSize(image, icon);
        const GroupBoxCaptionLayout layout = LayOutImageCaption(w, size.cx, size.cy, style);
        const RECT box = ToRect(layout.box);
        if (captionBackground) DrawSkinPart(dc, box, captionPart, *skin);
        if (icon && image) {
            DrawIconEx(dc, box.left, box.top, static_cast<HICON>(image), size.cx, size.cy, 0, nullptr, DI_NORMAL);
        } else if (image) {
            HDC source = CreateCompatibleDC(dc);
            HGDIOBJ previous = SelectObject(source, image);
            BitBlt(dc, box.left, box.top, size.cx, size.cy, source, 0, 0, SRCCOPY);
            SelectObject(source, previous);
            DeleteDC(source);
        }
        frameTop = layout.frameTop;
        ExcludeClipRect(dc, layout.gap.left, layout.gap.top, layout.gap.right, layout.gap.bottom);
    } else {
        char caption[MaximumCaptionBytes + 1] = {};
        const int length = GetWindowTextA(window, caption, sizeof(caption));
        RECT measured{0, 0, 0, 0};
        if (length > 0) {
            SelectObject(dc, SkinnerFont(window, SkinFontSlot::GroupBoxFont, *skin));
            SetBkMode(dc, TRANSPARENT);
            DrawTextA(dc, caption, length, &measured, DT_CALCRECT);
        }
        const GroupBoxCaptionLayout layout =
            LayOutTextCaption(w, length > 0, measured.right, measured.bottom, captionBackground, style);
        if (length > 0) {
            RECT box = ToRect(layout.box);
            SetTextColor(dc, SkinTextColour(window,
                                            enabled ? SkinColour::GroupBoxCaptionText
                                                    : SkinColour::GroupBoxCaptionTextDisabled,
                                            *skin));
            if (captionBackground) DrawSkinPart(dc, box, captionPart, *skin);
            DrawTextA(dc, caption, length, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
            ExcludeClipRect(dc, layout.gap.left, layout.gap.top, layout.gap.right, layout.gap.bottom);
        }
        frameTop = layout.frameTop;
    }

    DrawSkinPart(dc, RECT{0, frameTop, w, h}, enabled ? SkinPart::GroupBoxFrame : SkinPart::GroupBoxFrameDisabled,
                 *skin);
    RestoreDC(dc, savedState);
    if (!given) unpatched::ReleaseDC(window, dc);
}

}  // namespace qivyun::skin
