#pragma once
// A worker thread whose handle is owned by the object that started it. The thread is neither
// joined nor stopped: what it may touch after its window is gone is the UiGate's business.
#include "framework/Handles.h"

#include <functional>

namespace qivyun {

class WorkerThread {
public:
    // Starts the routine at once, at normal priority with the default stack size. A handle held
    // from an earlier start is released (that thread runs on).
    bool Start(std::function<unsigned()> routine);
    // False when no thread was started or the started one has ended.
    bool IsRunning() const;
    // Waits for the thread to end; true when it has.
    bool Wait(DWORD milliseconds) const;
    void Release() { handle_.Reset(); }
    bool HasThread() const { return static_cast<bool>(handle_); }

private:
    UniqueHandle handle_;
};

}  // namespace qivyun
