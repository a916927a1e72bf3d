#include "skin/kinds/GroupBoxSkinner.h"

#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "skin/engine/ControlColours.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/engine/SkinnerText.h"
#include "skin/kinds/GroupBoxCaption.h"
#include "skin/patching/Unpatched.h"

#include <optional>

namespace qivyun::skin {
namespace {

// Leaves out every visible child of the box that is not transparent (the region rides in the
// enumeration's parameter).
BOOL CALLBACK ExcludeChild(HWND child, LPARAM clip) {
    HWND box = GetParent(child);
    if (!IsWindowVisible(child) || (GetWindowLongA(child, GWL_EXSTYLE) & WS_EX_TRANSPARENT)) return TRUE;
    RECT place, origin;
    GetWindowRect(child, &place);
    GetWindowRect(box, &origin);
    OffsetRect(&place, -origin.left, -origin.top);
    UniqueGdiObject<HRGN> childRegion(CreateRectRgnIndirect(&place));
    const auto region = reinterpret_cast<HRGN>(clip);
    CombineRgn(region, region, childRegion.Get(), RGN_DIFF);
    return TRUE;
}

// The caption's part, drawn only when the skin gives part 103 a width.
bool HasCaptionBackground(const SkinData& skin) { return skin.Part(SkinPart::GroupBoxCaption).width != 0; }

// Whether two pictures of the same size show the same colours in `area`.
bool SameColours(const OffscreenSurface& one, const OffscreenSurface& other, const RECT& area) {
    for (int y = area.top; y < area.bottom; ++y) {
        const uint32_t* a = one.Pixels() + size_t(y) * size_t(one.Width());
        const uint32_t* b = other.Pixels() + size_t(y) * size_t(other.Width());
        for (int x = area.left; x < area.right; ++x) {
            if ((a[x] ^ b[x]) & 0x00FFFFFF) return false;
        }
    }
    return true;
}

// A picture of width x height whose pixels can be read, kept when it has that size already.
bool HaveSurface(OffscreenSurface& surface, int width, int height) {
    if (surface && surface.Width() == width && surface.Height() == height) return true;
    return surface.CreateWithPixels(width, height);
}

}  // namespace

GroupBoxSkinner::GroupBoxSkinner(const SkinnerContext& context) : KindSkinner(context) {
    dcRecord_.getDc = [this](HWND) {
        if (!scratch_) {
            ClientDc screen(nullptr, unpatched::DcCalls());
            scratch_.Create(screen.Get(), 1, 1);
        }
        dcRecord_.handedOut.assign(1, scratch_.Dc());
        return scratch_.Dc();
    };
    dcRecord_.releaseDc = [](HWND, HDC) { return 1; };
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
        return AnswerControlColour(*this, Skin(), message, wParam, lParam);
    case WM_SETTEXT:
    case WM_ENABLE: {
        if (message == WM_SETTEXT) staleCaption_ = lastGap_;
        const LRESULT result = CallPreviousUnseen(message, wParam, lParam);
        // Drawn whole at once: what the system asked to be painted again is painted.
        Paint(nullptr);
        if (LoadedSkin()) ValidateRect(window, nullptr);
        return result;
    }
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_UPDATEUISTATE:
    case BM_SETSTATE:
    case BM_SETCHECK:
        return CallPreviousUnseen(message, wParam, lParam);
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

// The messages on which the system's button procedure draws the box at once through its DC;
// any other code that takes the box's DC draws on the screen.
LRESULT GroupBoxSkinner::CallPreviousUnseen(UINT message, WPARAM wParam, LPARAM lParam) {
    const bool outermost = !dcRecord_.active;
    dcRecord_.active = true;
    const LRESULT result = CallPrevious(message, wParam, lParam);
    if (outermost) dcRecord_.active = false;
    return result;
}

void GroupBoxSkinner::PaintParentBackground(HDC dc, const RECT& area) const {
    HWND parent = GetParent(window);
    if (!parent || IsRectEmpty(&area)) return;
    POINT origin{0, 0};
    MapWindowPoints(window, parent, &origin, 1);
    SavedDcState saved(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, nullptr);
    SendMessageA(parent, WM_ERASEBKGND, DcParameter(dc), 0);
}

void GroupBoxSkinner::Paint(HDC given) {
    const SkinData* skin = LoadedSkin();
    if (!skin) return;
    std::optional<ClientDc> own;
    if (!given) own.emplace(window, unpatched::DcCalls());
    HDC dc = given ? given : own->Get();
    if (!dc) return;
    SavedDcState saved(dc);
    const RECT all = WindowRectAtOrigin(window);
    const int w = all.right, h = all.bottom;
    const bool enabled = IsWindowEnabled(window) != FALSE;
    const DWORD style = static_cast<DWORD>(unpatched::GetWindowLongA(window, GWL_STYLE));

    UniqueGdiObject<HRGN> clip(CreateRectRgn(0, 0, w + 1, h + 1));
    EnumChildWindows(window, &ExcludeChild, reinterpret_cast<LPARAM>(clip.Get()));
    SelectClipRgn(dc, clip.Get());

    // A box clipped by its siblings is painted whole; any other leaves its inside to what lies
    // behind and paints afresh only its caption's place, so that a new text or the disabled colour
    // never lands on the old caption.
    const bool opaque = (style & WS_CLIPSIBLINGS) != 0;
    if (opaque) FillSkinBackground(window, dc, all, *skin);
    int frameTop = 0;
    RECT gap{};
    if (style & (BS_ICON | BS_BITMAP)) {
        const GroupBoxCaptionLayout layout = PaintImageCaption(dc, w, style, enabled, *skin);
        frameTop = layout.frameTop;
        gap = ToRect(layout.gap);
    } else {
        const TextCaption caption = ReadTextCaption(dc, w, style, enabled, *skin);
        frameTop = caption.frameTop;
        gap = ToRect(caption.gap);
        RECT area;
        UnionRect(&area, &gap, &staleCaption_);
        IntersectRect(&area, &area, &all);
        if (caption.text.empty()) {
            if (!opaque) PaintParentBackground(dc, area);
        } else if (opaque) {
            DrawTextCaption(dc, caption, *skin);
        } else {
            PaintCaptionOverParent(dc, caption, area, *skin);
        }
        ExcludeClipRect(dc, gap.left, gap.top, gap.right, gap.bottom);
    }
    staleCaption_ = RECT{};
    lastGap_ = gap;
    DrawSkinPart(dc, RECT{0, frameTop, w, h}, enabled ? SkinPart::GroupBoxFrame : SkinPart::GroupBoxFrameDisabled,
                 *skin);
}

GroupBoxSkinner::TextCaption GroupBoxSkinner::ReadTextCaption(HDC dc, int width, DWORD style, bool enabled,
                                                              const SkinData& skin) {
    TextCaption caption;
    caption.text = WindowText(window);
    caption.enabled = enabled;
    RECT measured{0, 0, 0, 0};
    if (!caption.text.empty()) {
        caption.font = SkinnerFont(window, SkinFontSlot::GroupBoxFont, skin);
        caption.colour = SkinTextColour(
            window, enabled ? SkinColour::GroupBoxCaptionText : SkinColour::GroupBoxCaptionTextDisabled, skin);
        SelectedObject font(dc, caption.font);
        // Lines break only at the caption's own line breaks.
        measured = measured_.Measure(dc, caption.text, 0, measured);
    }
    const GroupBoxCaptionLayout layout = LayOutTextCaption(width, !caption.text.empty(), measured.right,
                                                           measured.bottom, HasCaptionBackground(skin), style);
    caption.box = layout.box;
    caption.gap = layout.gap;
    caption.frameTop = layout.frameTop;
    return caption;
}

void GroupBoxSkinner::DrawTextCaption(HDC dc, const TextCaption& caption, const SkinData& skin) const {
    SelectedObject font(dc, caption.font);
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, caption.colour);
    RECT box = ToRect(caption.box);
    if (HasCaptionBackground(skin))
        DrawSkinPart(dc, box, caption.enabled ? SkinPart::GroupBoxCaption : SkinPart::GroupBoxCaptionDisabled, skin);
    DrawTextW(dc, caption.text.c_str(), static_cast<int>(caption.text.size()), &box,
              DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// The caption is composed off screen over the parent's background and copied once. When the
// screen still shows the caption as last composed there is nothing to draw; when it shows the
// parent's background as it was then (the parent has painted under the box), the composed caption
// goes back over it; anything else is asked of the parent again.
void GroupBoxSkinner::PaintCaptionOverParent(HDC dc, const TextCaption& caption, const RECT& area,
                                             const SkinData& skin) {
    const int width = area.right, height = area.bottom;
    if (width <= 0 || height <= 0) return;
    const int areaWidth = area.right - area.left, areaHeight = area.bottom - area.top;
    if (caption == shownCaption_ && EqualRect(&area, &shownArea_) && shown_ && behind_ &&
        HaveSurface(onScreen_, width, height)) {
        BitBlt(onScreen_.Dc(), area.left, area.top, areaWidth, areaHeight, dc, area.left, area.top, SRCCOPY);
        GdiFlush();
        if (SameColours(onScreen_, shown_, area)) return;
        if (SameColours(onScreen_, behind_, area)) {
            shown_.CopyTo(dc, area.left, area.top, areaWidth, areaHeight, area.left, area.top);
            return;
        }
    }
    shownArea_ = RECT{};
    if (!HaveSurface(behind_, width, height) || !HaveSurface(shown_, width, height)) {
        // No pictures to compose in: straight onto the screen.
        PaintParentBackground(dc, area);
        DrawTextCaption(dc, caption, skin);
        return;
    }
    PaintParentBackground(behind_.Dc(), area);
    behind_.CopyTo(shown_.Dc(), area.left, area.top, areaWidth, areaHeight, area.left, area.top);
    DrawTextCaption(shown_.Dc(), caption, skin);
    GdiFlush();
    shown_.CopyTo(dc, area.left, area.top, areaWidth, areaHeight, area.left, area.top);
    shownCaption_ = caption;
    shownArea_ = area;
}

GroupBoxCaptionLayout GroupBoxSkinner::PaintImageCaption(HDC dc, int width, DWORD style, bool enabled,
                                                         const SkinData& skin) const {
    const bool icon = (style & BS_ICON) != 0;
    HANDLE image = ButtonImage(window, icon);
    const SIZE size = ImageSize(image, icon);
    const GroupBoxCaptionLayout layout = LayOutImageCaption(width, size.cx, size.cy, style);
    const RECT box = ToRect(layout.box);
    if (!(style & WS_CLIPSIBLINGS)) {
        RECT area;
        UnionRect(&area, &box, &staleCaption_);
        PaintParentBackground(dc, area);
    }
    if (HasCaptionBackground(skin))
        DrawSkinPart(dc, box, enabled ? SkinPart::GroupBoxCaption : SkinPart::GroupBoxCaptionDisabled, skin);
    if (icon && image) {
        DrawIconEx(dc, box.left, box.top, static_cast<HICON>(image), size.cx, size.cy, 0, nullptr, DI_NORMAL);
    } else if (image) {
        MemoryDc source(dc, static_cast<HBITMAP>(image));
        BitBlt(dc, box.left, box.top, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
    }
    ExcludeClipRect(dc, layout.gap.left, layout.gap.top, layout.gap.right, layout.gap.bottom);
    return layout;
}

}  // namespace qivyun::skin
