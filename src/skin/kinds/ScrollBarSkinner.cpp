#include "skin/kinds/ScrollBarSkinner.h"

#include "framework/MessageCrackers.h"
#include "skin/engine/EngineMessages.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/kinds/ScrollBarPainting.h"
#include "skin/patching/Unpatched.h"

namespace qivyun::skin {
namespace {

ScrollValues ValuesOf(const SCROLLINFO& info) {
    return {info.nMin, info.nMax, info.nPage, info.nPos, info.nTrackPos};
}

}  // namespace

LRESULT ScrollBarSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (!LoadedSkin() || SizeBox()) return CallPrevious(message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        PaintClientOffScreen(window, crack::Dc(wParam), Skin(), [this](HDC dc, const RECT& client) { Paint(dc, client); });
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        Press(crack::Point(lParam));
        return 0;
    case WM_MOUSEMOVE:
        Move(crack::Point(lParam));
        return 0;
    case WM_MOUSELEAVE:
        if (!held_ && hot_ != BarPart::None) {
            hot_ = BarPart::None;
            Redraw();
        }
        return 0;
    case WM_LBUTTONUP:
        if (held_) Release();
        return 0;
    case WM_CAPTURECHANGED:
        if (held_ && crack::Window(lParam) != window) Release();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        // The system marks a focused bar with a blinking caret over its thumb; the skin's bar does
        // without.
        Redraw();
        return 0;
    case SBM_SETPOS:
        // The system would draw its own bar at once; the skin's is drawn at the next paint.
        return CallPreviousThen(message, wParam, FALSE, [&] { if (lParam) Redraw(); });
    case SBM_SETSCROLLINFO:
        return CallPreviousThen(message, FALSE, lParam, [&] { if (wParam) Redraw(); });
    case SBM_SETRANGE:
    case SBM_SETRANGEREDRAW:
        return CallPreviousThen(SBM_SETRANGE, wParam, lParam, [&] { if (message == SBM_SETRANGEREDRAW) Redraw(); });
    case SBM_ENABLE_ARROWS:
        disabledArrows_ = static_cast<unsigned>(wParam) & (FirstArrowDisabled | SecondArrowDisabled);
        return CallPreviousThen(message, wParam, lParam, [this] { Redraw(); });
    case SBM_GETSCROLLINFO: {
        // While the thumb is dragged the control's position being tracked is the skin's.
        const LRESULT result = CallPrevious(message, wParam, lParam);
        auto* info = reinterpret_cast<SCROLLINFO*>(lParam);
        if (drag_ && info && (info->fMask & SIF_TRACKPOS)) info->nTrackPos = drag_->LastPosition();
        return result;
    }
    case WM_ENABLE:
        return CallPreviousThen(message, wParam, lParam, [this] { Redraw(); });
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

bool ScrollBarSkinner::Vertical() const { return (unpatched::GetWindowLongA(window, GWL_STYLE) & SBS_VERT) != 0; }

bool ScrollBarSkinner::SizeBox() const {
    return (unpatched::GetWindowLongA(window, GWL_STYLE) & (SBS_SIZEBOX | SBS_SIZEGRIP)) != 0;
}

BarLayout ScrollBarSkinner::LayOut() const {
    RECT client;
    GetClientRect(window, &client);
    SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
    CallPrevious(SBM_GETSCROLLINFO, 0, RecordParameter(&info));
    const bool vertical = Vertical();
    const SkinData& skin = Skin();
    BarLayoutRequest request;
    request.length = vertical ? client.bottom : client.right;
    request.sizes.thickness = vertical ? client.right : client.bottom;
    // The arrows are square, as thick as the bar; the thumb keeps the skin's shortest length.
    request.sizes.arrowLength = request.sizes.thickness;
    request.sizes.minimumThumb =
        skin.Metric(vertical ? SkinMetric::VerticalThumbMinimum : SkinMetric::HorizontalThumbMinimum);
    request.range = ValuesOf(info);
    request.disabledArrows = disabledArrows_;
    if (drag_) request.draggedThumbStart = drag_->ThumbStart();
    BarLayout layout = LayOutBar(request);
    if (!IsWindowEnabled(window)) layout.disabled = true;
    if (drag_ && layout.HasThumb()) layout.thumb.start = drag_->ThumbStart();
    return layout;
}

int ScrollBarSkinner::Along(POINT point) const { return Vertical() ? point.y : point.x; }
int ScrollBarSkinner::Across(POINT point) const { return Vertical() ? point.x : point.y; }

void ScrollBarSkinner::Press(POINT point) {
    if (unpatched::GetWindowLongA(window, GWL_STYLE) & WS_TABSTOP) SetFocus(window);
    const BarLayout layout = LayOut();
    const BarPart part = layout.PartAt(Along(point), Across(point));
    if (part == BarPart::None) return;
    pointer_ = point;
    hot_ = part;
    held_ = true;
    SetCapture(window);
    if (part == BarPart::Thumb) {
        SCROLLINFO info{sizeof info, SIF_POS, 0, 0, 0, 0, 0};
        CallPrevious(SBM_GETSCROLLINFO, 0, RecordParameter(&info));
        drag_.emplace(layout, Along(point), info.nPos);
    } else {
        pressCode_ = layout.PressCode(part, Along(point)).value_or(SB_LINEDOWN);
        SendScroll(pressCode_, 0);
        StartTimer(FirstRepeatTimer, 500);
    }
    Redraw();
}

void ScrollBarSkinner::Move(POINT point) {
    pointer_ = point;
    if (drag_) {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        CallPrevious(SBM_GETSCROLLINFO, 0, RecordParameter(&info));
        const ThumbDrag::Step step = drag_->Move(LayOut(), ValuesOf(info), Along(point), Across(point));
        if (step.positionChanged) SendScroll(SB_THUMBTRACK, step.position);
        Redraw();
        return;
    }
    if (held_) return;
    TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, window, 0};
    TrackMouseEvent(&request);
    const BarPart part = LayOut().PartAt(Along(point), Across(point));
    if (part != hot_) {
        hot_ = part;
        Redraw();
    }
}

void ScrollBarSkinner::Release() {
    held_ = false;
    KillTimer(window, FirstRepeatTimer);
    KillTimer(window, RepeatTimer);
    if (drag_) {
        const int position = drag_->LastPosition();
        SendScroll(SB_THUMBPOSITION, position);
        drag_.reset();
    }
    SendScroll(SB_ENDSCROLL, 0);
    pressCode_ = -1;
    if (GetCapture() == window) ReleaseCapture();
    hot_ = LayOut().PartAt(Along(pointer_), Across(pointer_));
    Redraw();
}

// Repeats the press while the pointer stays on what was pressed; the track stops once the thumb
// has come to the pointer.
void ScrollBarSkinner::OnTimer(UINT_PTR id) {
    if (id == FirstRepeatTimer) {
        KillTimer(window, FirstRepeatTimer);
        StartTimer(RepeatTimer, 55);
        return;
    }
    if (id != RepeatTimer) return;
    if (!held_ || drag_) {
        KillTimer(window, RepeatTimer);
        return;
    }
    const BarLayout layout = LayOut();
    const int along = Along(pointer_);
    if (layout.PressCode(layout.PartAt(along, Across(pointer_)), along) == pressCode_) SendScroll(pressCode_, 0);
}

void ScrollBarSkinner::SendScroll(int code, int position) const {
    const UINT message = Vertical() ? WM_VSCROLL : WM_HSCROLL;
    const HWND parent = GetParent(window);
    SendMessageW(parent ? parent : window, message, ScrollParameter(code, position), reinterpret_cast<LPARAM>(window));
}

void ScrollBarSkinner::Paint(HDC dc, const RECT& client) const {
    const PointerLook look = held_ ? PointerLook::Held : hot_ != BarPart::None ? PointerLook::Over : PointerLook::Normal;
    PaintScrollBar(dc, client, !Vertical(), LayOut(), hot_, look, Skin());
    if (GetFocus() == window && !(CallPrevious(WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) {
        RECT focus = client;
        InflateRect(&focus, -1, -1);
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace qivyun::skin
