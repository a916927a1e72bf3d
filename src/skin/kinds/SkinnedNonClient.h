#pragma once
// The non-client area that a skinner draws itself in place of the system's: the border in the
// skin's colours and two scroll bars (index 0 horizontal, 1 vertical) from the skin's parts. It
// lays the bars out beside the client area, answers hit tests, lights the part under the pointer,
// sends the scroll messages of arrow and track presses with their auto-repeat, runs the thumb drag
// in a message loop of its own, and keeps each bar's scroll information, which the redirected
// scroll functions read and write. A skinner that draws scroll bars owns one and hands it its
// messages and timers.
#include "skin/kinds/ScrollBarLayout.h"
#include "skin/engine/ScrollState.h"
#include "skin/kinds/ThumbDrag.h"

#include <windows.h>

#include <array>
#include <optional>

namespace qivyun::skin {

class WindowSkinner;

// The engine's private messages around the non-client area: write the stored scroll information
// back to the system, and the note sent after the non-client area was painted.
inline constexpr UINT WriteBackScrollInfoMessage = 0x6A31;
inline constexpr UINT NonClientPaintedMessage = 0x7401;
// Hit-test answers for the skinned bars; the system does not know them, so it runs no bar itself.
inline constexpr LRESULT HitHorizontalBar = 0x8001;
inline constexpr LRESULT HitVerticalBar = 0x8002;
// The first repeat of a held arrow or track, the repeats after it, and the end of hovering.
inline constexpr UINT_PTR FirstRepeatTimer = 0x6622;
inline constexpr UINT_PTR RepeatTimer = 0x6623;
inline constexpr UINT_PTR HoverTimer = 0x6624;

class SkinnedNonClient {
public:
    explicit SkinnedNonClient(WindowSkinner& owner) : owner_(owner) {}
    ~SkinnedNonClient();
    SkinnedNonClient(const SkinnedNonClient&) = delete;
    SkinnedNonClient& operator=(const SkinnedNonClient&) = delete;

    // The window's messages about its border and bars; nothing for a message that is not theirs.
    std::optional<LRESULT> OnMessage(UINT message, WPARAM wParam, LPARAM lParam);
    // The three timers; false for another.
    bool OnTimer(UINT_PTR id);

    // The scroll information of SB_HORZ or SB_VERT; nothing for SB_CTL.
    ScrollState* State(int bar);
    // Draws again the bars whose track or thumb moved, after a program changed their information.
    void RedrawBars();
    // The border and both bars, when the window is visible.
    void PaintNonClient(WPARAM wParam = 1, LPARAM lParam = 0);

private:
    enum : int { Horizontal = 0, Vertical = 1 };
    struct Bar {
        ScrollState state;
        bool present = false;
        bool needsRedraw = true;
        RECT rect{};  // window coordinates
        BarLayout layout;
    };
    enum class MouseState { Idle, Over, Held };

    LRESULT Initialise(UINT message, WPARAM wParam, LPARAM lParam);
    void AdjustClientArea(RECT& proposed);
    void LayOut();
    LRESULT HitTestBars(WPARAM wParam, LPARAM lParam);
    void TrackHover(POINT point);
    bool PressBar(POINT point);
    void Repeat();
    void ReleaseBar(POINT point);
    void DragLoop();
    void DragThumb(POINT point);
    // The end of a press or a drag: timers stopped, the drag's last position and end-scroll sent,
    // the pointer let go.
    void EndPress(POINT point);
    void SendScroll(int code, int position) const;
    void WriteBack();

    void RepaintBars();
    void PaintBars(HDC dc);
    void PaintBar(HDC dc, int index) const;
    void PaintBorder() const;

    // Where a point lies along and across a bar, and a stretch of the bar as a rectangle.
    static int Along(const Bar& bar, int index, POINT point);
    static int Across(const Bar& bar, int index, POINT point);
    static RECT SpanRect(const Bar& bar, int index, const BarSpan& span);
    // The bar and its part under a point (window coordinates), thumb first.
    std::pair<int, BarPart> PartAt(POINT point) const;
    POINT FromScreen(LPARAM lParam) const;
    POINT FromClient(LPARAM lParam) const;
    BarSizes SizesOf(int index) const;

    WindowSkinner& owner_;
    std::array<Bar, 2> bars_;
    bool initialised_ = false;
    bool leftScrollBar_ = false;
    BarPart hotPart_ = BarPart::None;
    int hotBar_ = Vertical;
    MouseState mouseState_ = MouseState::Idle;
    UINT scrollMessage_ = 0;
    int scrollCode_ = -1;
    bool tracking_ = false;
    bool tookCapture_ = false;
    std::optional<ThumbDrag> drag_;
    int lastTrackPosition_ = -1;
    POINT pointer_{};  // the pointer as the last mouse message saw it, window coordinates
    RECT corner_{};
    // Set while the drag loop runs; the destructor marks it, so the loop knows its window went.
    bool* destroyed_ = nullptr;
};

}  // namespace qivyun::skin
