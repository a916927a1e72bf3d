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
        return AnswerControlColour(*this, Skin(), message, wParam, lParam);
    case WM_SETTEXT: {
        {
            ClientDc dc(window, unpatched::DcCalls());
            staleCaption_ = CaptionGap(dc.Get());
        }
        return CallPreviousThen(message, wParam, lParam, [this] { Paint(nullptr); });
    }
    case WM_ENABLE:
        return CallPreviousThen(message, wParam, lParam, [this] { Paint(nullptr); });
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

RECT GroupBoxSkinner::CaptionGap(HDC dc) const {
    const SkinData* skin = LoadedSkin();
    const std::wstring caption = WindowText(window);
    if (!skin || !dc || caption.empty()) return RECT{};
    RECT measured{0, 0, 0, 0};
    {
        SelectedObject font(dc, SkinnerFont(window, SkinFontSlot::GroupBoxFont, *skin));
        DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured, DT_CALCRECT);
    }
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

    const int frameTop = PaintCaption(dc, w, style, enabled, *skin);
    DrawSkinPart(dc, RECT{0, frameTop, w, h}, enabled ? SkinPart::GroupBoxFrame : SkinPart::GroupBoxFrameDisabled,
                 *skin);
}

int GroupBoxSkinner::PaintCaption(HDC dc, int width, DWORD style, bool enabled, const SkinData& skin) const {
    const bool captionBackground = HasCaptionBackground(skin);
    const SkinPart captionPart = enabled ? SkinPart::GroupBoxCaption : SkinPart::GroupBoxCaptionDisabled;
    if (style & (BS_ICON | BS_BITMAP)) {
        const bool icon = (style & BS_ICON) != 0;
        HANDLE image = ButtonImage(window, icon);
        const SIZE size = ImageSize(image, icon);
        const GroupBoxCaptionLayout layout = LayOutImageCaption(width, size.cx, size.cy, style);
        const RECT box = ToRect(layout.box);
        if (captionBackground) DrawSkinPart(dc, box, captionPart, skin);
        if (icon && image) {
            DrawIconEx(dc, box.left, box.top, static_cast<HICON>(image), size.cx, size.cy, 0, nullptr, DI_NORMAL);
        } else if (image) {
            MemoryDc source(dc, static_cast<HBITMAP>(image));
            BitBlt(dc, box.left, box.top, size.cx, size.cy, source.Get(), 0, 0, SRCCOPY);
        }
        ExcludeClipRect(dc, layout.gap.left, layout.gap.top, layout.gap.right, layout.gap.bottom);
        return layout.frameTop;
    }
    const std::wstring caption = WindowText(window);
    const int length = static_cast<int>(caption.size());
    SelectedObject font(dc, length > 0 ? SkinnerFont(window, SkinFontSlot::GroupBoxFont, skin) : nullptr);
    RECT measured{0, 0, 0, 0};
    if (length > 0) {
        SetBkMode(dc, TRANSPARENT);
        DrawTextW(dc, caption.c_str(), length, &measured, DT_CALCRECT);
    }
    const GroupBoxCaptionLayout layout =
        LayOutTextCaption(width, length > 0, measured.right, measured.bottom, captionBackground, style);
    if (length > 0) {
        RECT box = ToRect(layout.box);
        SetTextColor(dc, SkinTextColour(window,
                                        enabled ? SkinColour::GroupBoxCaptionText
                                                : SkinColour::GroupBoxCaptionTextDisabled,
                                        skin));
        if (captionBackground) DrawSkinPart(dc, box, captionPart, skin);
        DrawTextW(dc, caption.c_str(), length, &box, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
        ExcludeClipRect(dc, layout.gap.left, layout.gap.top, layout.gap.right, layout.gap.bottom);
    }
    return layout.frameTop;
}

}  // namespace qivyun::skin
