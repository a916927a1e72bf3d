#pragma once
// The one place that decides what a worker thread may touch once its window is gone.
//
// A worker never holds a pointer to a window object. It holds a shared UiGate and asks the gate
// to run a step on the window's own thread. The window closes its gate when it is destroyed;
// from then on every request is refused, and the worker's step never runs. Because the step
// runs on the window's thread, it cannot overlap the destruction either. A worker that waits for
// the window to finish something waits through the gate too, so the window's end also ends the wait.
#include "framework/Event.h"

#include <windows.h>

#include <atomic>
#include <functional>
#include <memory>

namespace qivyun {

// The message a gate sends to its window; every Dialog answers it.
inline constexpr UINT WM_RUN_ON_UI_THREAD = WM_APP + 0x3F0;

class UiGate {
public:
    explicit UiGate(HWND window) : window_(window) {}

    // Runs the step on the window's thread and waits for it. Returns false, without running it,
    // when the window is gone.
    bool Run(const std::function<void()>& step);

    // Waits until the event is set (true) or the window is gone (false); a window gone wins.
    bool Wait(const Event& event) const;

    bool IsOpen() const { return open_.load(); }

    // Window side: called on the window's thread.
    void Close() {
        open_.store(false);
        closed_.Set();
    }
    // Runs a step that this gate sent, if the gate is still open.
    void Execute(const std::function<void()>& step) const {
        if (open_.load()) step();
    }

private:
    HWND window_;
    std::atomic<bool> open_{true};
    Event closed_{Event::Reset::Manual};
};

}  // namespace qivyun
