#pragma once
// Runs the thread's messages, as the programs' own loops do, until a condition holds.
#include <windows.h>

#include <functional>

namespace qivyun::test {

// True as soon as the condition holds; false when it still does not after the timeout.
bool PumpUntil(const std::function<bool()>& condition, DWORD timeoutMs = 5000);

// Runs the messages that are waiting now, and those that arrive within the given time.
void PumpFor(DWORD milliseconds);

}  // namespace qivyun::test
