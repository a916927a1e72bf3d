#include "framework/UiGate.h"

namespace qivyun {

bool UiGate::Run(const std::function<void()>& step) {
    if (!open_.load()) return false;
    bool ran = false;
    std::function<void()> marked = [&] {
        step();
        ran = true;
    };
    // A destroyed window answers nothing; a window that reuses the handle ignores a gate that is
    // not its own (it compares the gate pointer).
    SendMessageW(window_, WM_RUN_ON_UI_THREAD, reinterpret_cast<WPARAM>(this), reinterpret_cast<LPARAM>(&marked));
    return ran;
}

bool UiGate::Wait(const Event& event) const {
    const HANDLE either[] = {closed_.Handle(), event.Handle()};
    return WaitForMultipleObjects(2, either, FALSE, INFINITE) == WAIT_OBJECT_0 + 1;
}

}  // namespace qivyun
