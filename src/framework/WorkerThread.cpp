#include "framework/WorkerThread.h"

#include <process.h>

#include <memory>

namespace qivyun {
namespace {

unsigned __stdcall ThreadStart(void* argument) {
    std::unique_ptr<std::function<unsigned()>> routine(static_cast<std::function<unsigned()>*>(argument));
    return (*routine)();
}

}  // namespace

bool WorkerThread::Start(std::function<unsigned()> routine) {
    auto* owned = new std::function<unsigned()>(std::move(routine));
    uintptr_t thread = _beginthreadex(nullptr, 0, ThreadStart, owned, 0, nullptr);
    if (!thread) {
        delete owned;
        handle_.Reset();
        return false;
    }
    handle_.Reset(reinterpret_cast<HANDLE>(thread));
    return true;
}

bool WorkerThread::IsRunning() const { return handle_ && WaitForSingleObject(handle_.Get(), 0) == WAIT_TIMEOUT; }

bool WorkerThread::Wait(DWORD milliseconds) const {
    return !handle_ || WaitForSingleObject(handle_.Get(), milliseconds) == WAIT_OBJECT_0;
}

}  // namespace qivyun
