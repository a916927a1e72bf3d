#include "updater/TcpSocket.h"

#include <algorithm>
#include <thread>  // the clocks: <chrono> itself holds a character GBK lacks

namespace qivyun {

// The quiet time is counted from the start of the wait; a cancel flag is looked at between slices.
bool TcpSocket::AwaitReady(bool forWriting) {
    using Clock = std::chrono::steady_clock;
    constexpr int cancelSlice = 100;
    const auto deadline = Clock::now() + std::chrono::milliseconds(quietMilliseconds);
    for (;;) {
        if (cancelFlag && cancelFlag->load()) {
            cancelled = true;
            return false;
        }
        int slice = cancelFlag ? cancelSlice : -1;
        if (quietMilliseconds > 0) {
            const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
            if (left <= 0) {
                timedOut = true;
                return false;
            }
            slice = slice < 0 ? static_cast<int>(left) : std::min(slice, static_cast<int>(left));
        }
        const int ready = WaitOnce(forWriting, slice);
        if (ready != 0) return ready > 0;
    }
}

}  // namespace qivyun
