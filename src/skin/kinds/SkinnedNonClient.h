#pragma once
// The non-client area that a skinner draws itself in place of the system's: the border in the
// skin's colours and two scroll bars (index 0 horizontal, 1 vertical) from the skin's parts. It
// lays the bars out beside the client area, answers hit tests, lights the part under the pointer,
// sends the scroll messages of arrow and track presses with their auto-repeat, runs the thumb drag
// in a message loop of its own, and keeps each bar's scroll information, which the redirected
// scroll functions read and write. A skinner that draws scroll bars owns one and hands it its
// messages and timers. Its private messages, timers and hit-test answers are the engine's
// (EngineMessages.h).
#include "skin/container/SkinData.h"
#include "skin/engine/EngineMessages.h"
#include "skin/engine/ScrollState.h"
#include "skin/kinds/ScrollBarLayout.h"
#include "skin/kinds/ThumbDrag.h"

#include <windows.h>

#include <array>
#include <optional>

namespace qivyun::skin {

class WindowSkinner;

class SkinnedNonClient {
public:
    // The border and bars of the owner's window, drawn from the skin while it is loaded.
    SkinnedNonClient(WindowSkinner& owner, const SkinData& skin) : owner_(owner), skin_(skin) {}
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
    void PaintBorder() const;

    // Where a point lies along and across a bar.
    static int Along(const Bar& bar, int index, POINT point);
    static int Across(const Bar& bar, int index, POINT point);
    // The bar and its part under a point (window coordinates), thumb first.
    std::pair<int, BarPart> PartAt(POINT point) const;
    // A point of the screen or of the client area in window coordinates.
    POINT FromScreen(POINT screen) const;
    POINT FromClient(POINT client) const;
    BarSizes SizesOf(int index) const;

    WindowSkinner& owner_;
    const SkinData& skin_;
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
