#include "skin/kinds/SkinnedNonClient.h"

#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/engine/WindowSkinner.h"
#include "skin/kinds/ScrollBarPainting.h"
#include "skin/patching/Unpatched.h"

namespace qivyun::skin {
namespace {

constexpr int SystemBarOf[2] = {SB_HORZ, SB_VERT};

}  // namespace

SkinnedNonClient::~SkinnedNonClient() {
    if (destroyed_) *destroyed_ = true;
}

// Nothing for the messages the owner passes on unchanged, also after what is done here first.
std::optional<LRESULT> SkinnedNonClient::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
    case ExamineWindowMessage:
        if (initialised_) return message == WM_CREATE ? std::nullopt : std::optional<LRESULT>(0);
        return Initialise(message, wParam, lParam);
    case WM_NCCALCSIZE:
        AdjustClientArea(crack::ProposedRect(wParam, lParam));
        return std::nullopt;
    case WM_NCPAINT:
        if (!initialised_) SendMessageA(owner_.window, ExamineWindowMessage, 0, 0);
        PaintNonClient(wParam, lParam);
        return 0;
    case WM_NCHITTEST:
        return HitTestBars(wParam, lParam);
    case WM_MOUSEMOVE:
        TrackHover(FromClient(crack::Point(lParam)));
        return std::nullopt;
    case WM_NCMOUSEMOVE:
        TrackHover(FromScreen(crack::Point(lParam)));
        return std::nullopt;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return PressBar(FromClient(crack::Point(lParam))) ? std::optional<LRESULT>(0) : std::nullopt;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
        return PressBar(FromScreen(crack::Point(lParam))) ? std::optional<LRESULT>(0) : std::nullopt;
    case WM_LBUTTONUP:
        ReleaseBar(FromClient(crack::Point(lParam)));
        return std::nullopt;
    case WM_NCLBUTTONUP:
        ReleaseBar(FromScreen(crack::Point(lParam)));
        return std::nullopt;
    case WM_CAPTURECHANGED:
        // Another window took the pointer while an arrow or the track was held: the repeats end.
        if (mouseState_ == MouseState::Held && !tracking_ && crack::Window(lParam) != owner_.window) {
            tookCapture_ = false;
            EndPress(pointer_);
        }
        return std::nullopt;
    case WM_HSCROLL:
    case WM_VSCROLL:
        return owner_.CallPreviousThen(message, wParam, lParam, [&] {
            if (crack::ScrollCode(wParam) == SB_ENDSCROLL) PaintNonClient();
        });
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        return owner_.CallPreviousThen(message, wParam, lParam, [this] { PaintNonClient(); });
    case WriteBackScrollInfoMessage:
        WriteBack();
        return 0;
    default:
        return std::nullopt;
    }
}

bool SkinnedNonClient::OnTimer(UINT_PTR id) {
    switch (id) {
    case FirstRepeatTimer:
        KillTimer(owner_.window, FirstRepeatTimer);
        owner_.StartTimer(RepeatTimer, 55);
        return true;
    case RepeatTimer:
        Repeat();
        return true;
    case HoverTimer: {
        POINT cursor;
        GetCursorPos(&cursor);
        LayOut();
        if (!tracking_ && PartAt(FromScreen(cursor)).second == BarPart::None) {
            KillTimer(owner_.window, HoverTimer);
            if (mouseState_ == MouseState::Over) {
                mouseState_ = MouseState::Idle;
                hotPart_ = BarPart::None;
                RepaintBars();
            }
        }
        return true;
    }
    default:
        return false;
    }
}

ScrollState* SkinnedNonClient::State(int bar) {
    if (bar == SB_HORZ) return &bars_[Horizontal].state;
    if (bar == SB_VERT) return &bars_[Vertical].state;
    return nullptr;
}

LRESULT SkinnedNonClient::Initialise(UINT message, WPARAM wParam, LPARAM lParam) {
    initialised_ = true;
    for (int index : {Horizontal, Vertical}) {
        SCROLLINFO info{sizeof info, SIF_ALL, 0, 0, 0, 0, 0};
        if (unpatched::GetScrollInfo(owner_.window, SystemBarOf[index], &info))
            bars_[index].state.values = {info.nMin, info.nMax, info.nPage, info.nPos, info.nTrackPos};
    }
    lastTrackPosition_ = -1;
    scrollMessage_ = 0;
    scrollCode_ = -1;
    const LRESULT result = message == WM_CREATE ? owner_.CallPrevious(message, wParam, lParam) : 0;
    if (result != -1)
        SetWindowPos(owner_.window, nullptr, 0, 0, 0, 0,
                     SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
    return result;
}

// The procedure beneath takes the system's bar sizes off afterwards, so the client area leaves
// exactly the skin's thickness for each bar.
void SkinnedNonClient::AdjustClientArea(RECT& proposed) {
    const LONG style = unpatched::GetWindowLongA(owner_.window, GWL_STYLE);
    leftScrollBar_ = unpatched::GetWindowLongA(owner_.window, GWL_EXSTYLE) & WS_EX_LEFTSCROLLBAR;
    bars_[Vertical].present = style & WS_VSCROLL;
    bars_[Horizontal].present = style & WS_HSCROLL;
    if (!skin_.Loaded()) return;
    if (bars_[Vertical].present) {
        const int change = GetSystemMetrics(SM_CXVSCROLL) - skin_.Metric(SkinMetric::VerticalBarWidth);
        if (leftScrollBar_) {
            proposed.left -= change;
        } else {
            proposed.right += change;
        }
    }
    if (bars_[Horizontal].present)
        proposed.bottom += GetSystemMetrics(SM_CYHSCROLL) - skin_.Metric(SkinMetric::HorizontalBarHeight);
}

void SkinnedNonClient::LayOut() {
    if (!skin_.Loaded()) return;
    const RECT client = ClientRectInWindow(owner_.window);
    for (int index : {Horizontal, Vertical}) {
        Bar& bar = bars_[index];
        if (!bar.present) continue;
        const BarSizes sizes = SizesOf(index);
        RECT rect;
        if (index == Horizontal) {
            rect = {client.left, client.bottom, client.right, client.bottom + sizes.thickness};
        } else if (leftScrollBar_) {
            rect = {client.left - sizes.thickness, client.top, client.left, client.bottom};
        } else {
            rect = {client.right, client.top, client.right + sizes.thickness, client.bottom};
        }
        BarLayoutRequest request;
        request.length = index == Horizontal ? rect.right - rect.left : rect.bottom - rect.top;
        request.sizes = sizes;
        request.range = bar.state.values;
        request.disabledArrows = bar.state.disabledArrows;
        if (tracking_ && hotBar_ == index && drag_) request.draggedThumbStart = drag_->ThumbStart();
        const BarLayout layout = LayOutBar(request);
        if (!EqualRect(&rect, &bar.rect) || !(layout == bar.layout)) bar.needsRedraw = true;
        bar.rect = rect;
        bar.layout = layout;
    }
    if (bars_[Horizontal].present && bars_[Vertical].present) {
        corner_ = {bars_[Vertical].rect.left, bars_[Horizontal].rect.top, bars_[Vertical].rect.right,
                   bars_[Horizontal].rect.bottom};
    } else {
        SetRectEmpty(&corner_);
    }
}

LRESULT SkinnedNonClient::HitTestBars(WPARAM wParam, LPARAM lParam) {
    LayOut();
    const POINT point = FromScreen(crack::Point(lParam));
    if (bars_[Horizontal].present && PtInRect(&bars_[Horizontal].rect, point)) return HitHorizontalBar;
    if (bars_[Vertical].present && PtInRect(&bars_[Vertical].rect, point)) return HitVerticalBar;
    const LRESULT hit = owner_.CallPrevious(WM_NCHITTEST, wParam, lParam);
    if (hit == HTHSCROLL) return HitHorizontalBar;
    if (hit == HTVSCROLL) return HitVerticalBar;
    return hit;
}

void SkinnedNonClient::TrackHover(POINT point) {
    pointer_ = point;
    if (!bars_[Horizontal].present && !bars_[Vertical].present) return;
    if (mouseState_ == MouseState::Held) return;
    LayOut();
    const auto [index, part] = PartAt(point);
    if (part != BarPart::None) {
        const bool changed = mouseState_ != MouseState::Over || hotPart_ != part || hotBar_ != index;
        mouseState_ = MouseState::Over;
        hotPart_ = part;
        hotBar_ = index;
        if (changed) RepaintBars();
        owner_.StartTimer(HoverTimer, 150);
    } else if (mouseState_ != MouseState::Idle) {
        mouseState_ = MouseState::Idle;
        hotPart_ = BarPart::None;
        RepaintBars();
    }
}

bool SkinnedNonClient::PressBar(POINT point) {
    LayOut();
    const auto [index, part] = PartAt(point);
    if (part == BarPart::None) return false;
    Bar& bar = bars_[index];
    pointer_ = point;
    mouseState_ = MouseState::Held;
    hotBar_ = index;
    hotPart_ = part;
    scrollMessage_ = index == Horizontal ? WM_HSCROLL : WM_VSCROLL;
    RepaintBars();
    if (part == BarPart::Thumb) {
        tracking_ = true;
        scrollCode_ = SB_THUMBTRACK;
        lastTrackPosition_ = bar.state.values.position;
        drag_.emplace(bar.layout, Along(bar, index, point), lastTrackPosition_);
        DragLoop();
        return true;
    }
    scrollCode_ = bar.layout.PressCode(part, Along(bar, index, point)).value_or(SB_LINEDOWN);
    // Held with the pointer, so that the release ends the repeats wherever it happens.
    tookCapture_ = GetCapture() != owner_.window;
    if (tookCapture_) SetCapture(owner_.window);
    owner_.StartTimer(FirstRepeatTimer, 500);
    SendScroll(scrollCode_, 0);
    return true;
}

// Repeats the press while the pointer stays on what was pressed; the track stops repeating once
// the thumb has come to the pointer.
void SkinnedNonClient::Repeat() {
    if (mouseState_ != MouseState::Held || tracking_) {
        KillTimer(owner_.window, RepeatTimer);
        return;
    }
    LayOut();
    const Bar& bar = bars_[hotBar_];
    const int along = Along(bar, hotBar_, pointer_);
    if (bar.layout.PressCode(bar.layout.PartAt(along, Across(bar, hotBar_, pointer_)), along) != scrollCode_) return;
    SendScroll(scrollCode_, 0);
    RepaintBars();
}

void SkinnedNonClient::ReleaseBar(POINT point) {
    if (mouseState_ != MouseState::Held || tracking_) return;
    EndPress(point);
}

void SkinnedNonClient::DragLoop() {
    const HWND window = owner_.window;
    const bool took = GetCapture() != window;
    if (took) SetCapture(window);
    bool destroyed = false;
    destroyed_ = &destroyed;
    MSG message;
    while (tracking_ && GetCapture() == window) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (message.hwnd == window && message.message == WM_MOUSEMOVE) {
            DragThumb(FromClient(crack::Point(message.lParam)));
        } else if (message.hwnd == window && message.message == WM_LBUTTONUP) {
            EndPress(FromClient(crack::Point(message.lParam)));
        } else {
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (destroyed) return;  // the window went while its messages ran
    }
    destroyed_ = nullptr;
    // The pointer was taken away mid-drag: the control still hears where the thumb ended.
    if (tracking_) EndPress(pointer_);
    if (took && GetCapture() == window) ReleaseCapture();
}

void SkinnedNonClient::DragThumb(POINT point) {
    pointer_ = point;
    Bar& bar = bars_[hotBar_];
    const ThumbDrag::Step step =
        drag_->Move(bar.layout, bar.state.values, Along(bar, hotBar_, point), Across(bar, hotBar_, point));
    if (step.positionChanged) {
        // Controls read the position being tracked from the scroll information, which carries
        // more than the message's 16 bits.
        bar.state.values.trackPosition = step.position;
        SendScroll(SB_THUMBTRACK, step.position);
        ScrollValues given;
        given.position = step.position;
        bar.state.Set(scrollPosition, given);
    }
    lastTrackPosition_ = step.position;
    RepaintBars();
}

void SkinnedNonClient::EndPress(POINT point) {
    KillTimer(owner_.window, FirstRepeatTimer);
    KillTimer(owner_.window, RepeatTimer);
    KillTimer(owner_.window, HoverTimer);
    if (tracking_) {
        Bar& bar = bars_[hotBar_];
        bar.state.values.trackPosition = lastTrackPosition_;
        SendScroll(SB_THUMBPOSITION, lastTrackPosition_);
        SendScroll(SB_ENDSCROLL, 0);
        tracking_ = false;
        drag_.reset();
        bar.state.values.trackPosition = bar.state.values.position;
    }
    LayOut();
    const auto [index, part] = PartAt(point);
    mouseState_ = part == BarPart::None ? MouseState::Idle : MouseState::Over;
    hotBar_ = index;
    hotPart_ = part;
    // The hover look ends with the pointer leaving, as after any hover.
    if (mouseState_ == MouseState::Over) owner_.StartTimer(HoverTimer, 150);
    if (tookCapture_) {
        tookCapture_ = false;
        ReleaseCapture();
    }
    RepaintBars();
}

void SkinnedNonClient::SendScroll(int code, int position) const {
    SendMessageA(owner_.window, scrollMessage_, ScrollParameter(code, position), 0);
}

void SkinnedNonClient::WriteBack() {
    for (int index : {Horizontal, Vertical}) {
        const ScrollValues& v = bars_[index].state.values;
        SCROLLINFO info{sizeof info, SIF_ALL, v.minimum, v.maximum, v.page, v.position, v.trackPosition};
        // The system would draw its own bar; the skin's is drawn below.
        unpatched::SetScrollInfo(owner_.window, SystemBarOf[index], &info, FALSE);
    }
    PaintNonClient();
}

void SkinnedNonClient::PaintNonClient(WPARAM wParam, LPARAM lParam) {
    if (!IsWindowVisible(owner_.window) || !skin_.Loaded()) return;
    {
        WindowDc dc(owner_.window, unpatched::DcCalls());
        if (!dc) return;
        LayOut();
        PaintBorder();
        bars_[Horizontal].needsRedraw = bars_[Vertical].needsRedraw = true;
        PaintBars(dc.Get());
    }
    SendMessageA(owner_.window, NonClientPaintedMessage, wParam, lParam);
}

void SkinnedNonClient::RepaintBars() {
    bars_[Horizontal].needsRedraw = bars_[Vertical].needsRedraw = true;
    RedrawBars();
}

void SkinnedNonClient::RedrawBars() {
    if (!IsWindowVisible(owner_.window) || !skin_.Loaded()) return;
    LayOut();
    const bool any = (bars_[Horizontal].present && bars_[Horizontal].needsRedraw) ||
                     (bars_[Vertical].present && bars_[Vertical].needsRedraw);
    if (!any) return;
    WindowDc dc(owner_.window, unpatched::DcCalls());
    if (dc) PaintBars(dc.Get());
}

void SkinnedNonClient::PaintBars(HDC dc) {
    if (bars_[Horizontal].present && bars_[Vertical].present && !tracking_)
        FillRect(dc, &corner_, skin_.BackgroundBrush());
    const PointerLook look = mouseState_ == MouseState::Over   ? PointerLook::Over
                             : mouseState_ == MouseState::Held ? PointerLook::Held
                                                               : PointerLook::Normal;
    for (int index : {Horizontal, Vertical}) {
        Bar& bar = bars_[index];
        if (!bar.present || !bar.needsRedraw || (tracking_ && index != hotBar_)) continue;
        PaintScrollBar(dc, bar.rect, index == Horizontal, bar.layout, hotBar_ == index ? hotPart_ : BarPart::None, look,
                       skin_);
        bar.needsRedraw = false;
    }
}

// The frame between the window's edge and the client area widened by the bars.
void SkinnedNonClient::PaintBorder() const {
    RECT inner = ClientRectInWindow(owner_.window);
    for (const Bar& bar : bars_) {
        if (bar.present) UnionRect(&inner, &inner, &bar.rect);
    }
    PaintNonClientBorder(owner_.window, inner, skin_);
}

int SkinnedNonClient::Along(const Bar& bar, int index, POINT point) {
    return index == Horizontal ? point.x - bar.rect.left : point.y - bar.rect.top;
}

int SkinnedNonClient::Across(const Bar& bar, int index, POINT point) {
    return index == Horizontal ? point.y - bar.rect.top : point.x - bar.rect.left;
}

std::pair<int, BarPart> SkinnedNonClient::PartAt(POINT point) const {
    for (int index : {Vertical, Horizontal}) {
        const Bar& bar = bars_[index];
        if (!bar.present) continue;
        const BarPart part = bar.layout.PartAt(Along(bar, index, point), Across(bar, index, point));
        if (part != BarPart::None) return {index, part};
    }
    return {Vertical, BarPart::None};
}

POINT SkinnedNonClient::FromScreen(POINT screen) const {
    RECT window;
    GetWindowRect(owner_.window, &window);
    return {screen.x - window.left, screen.y - window.top};
}

POINT SkinnedNonClient::FromClient(POINT client) const {
    ClientToScreen(owner_.window, &client);
    return FromScreen(client);
}

BarSizes SkinnedNonClient::SizesOf(int index) const {
    if (index == Horizontal)
        return {skin_.Metric(SkinMetric::HorizontalBarHeight), skin_.Metric(SkinMetric::HorizontalArrowWidth),
                skin_.Metric(SkinMetric::HorizontalThumbMinimum)};
    return {skin_.Metric(SkinMetric::VerticalBarWidth), skin_.Metric(SkinMetric::VerticalArrowHeight),
            skin_.Metric(SkinMetric::VerticalThumbMinimum)};
}

}  // namespace qivyun::skin
