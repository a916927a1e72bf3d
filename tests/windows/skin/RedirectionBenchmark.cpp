// The cost of a redirected window-procedure read on a window the engine does not skin, against
// a direct call of the trampoline, measured in one run:
//   scripts/wine-run win64 build/win64/bin/redirection_benchmark.exe
// The read is the one the framework and the common controls make: GetWindowLongA in 32-bit
// code, GetWindowLongPtrA in 64-bit code.
#include "skin/engine/Redirections.h"
#include "skin/patching/Unpatched.h"
#include "skin/engine/WindowSkinner.h"

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {

using namespace qivyun::skin;

constexpr int Calls = 100000;
constexpr int Rounds = 9;

template <typename Read>
double NanosecondsPerCall(Read read) {
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    volatile LONG_PTR sink = 0;
    for (int i = 0; i < Calls; ++i) sink = sink + read();
    QueryPerformanceCounter(&end);
    return static_cast<double>(end.QuadPart - start.QuadPart) * 1e9 / static_cast<double>(frequency.QuadPart) / Calls;
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

}  // namespace

int main() {
    InstallRedirections();
    HWND window = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    // Another window carries a skinner, so the look-up runs as it does once windows are skinned.
    HWND skinned = CreateWindowExA(0, "Static", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    (new WindowSkinner)->Attach(skinned);

#ifdef _WIN64
    const char* name = "GetWindowLongPtrA";
    auto redirected = [&] { return GetWindowLongPtrA(window, GWLP_WNDPROC); };
    auto trampoline = [&] { return unpatched::GetWindowLongPtrA(window, GWLP_WNDPROC); };
#else
    const char* name = "GetWindowLongA";
    auto redirected = [&] { return static_cast<LONG_PTR>(GetWindowLongA(window, GWL_WNDPROC)); };
    auto trampoline = [&] { return static_cast<LONG_PTR>(unpatched::GetWindowLongA(window, GWL_WNDPROC)); };
#endif
    if (redirected() != trampoline()) {
        std::printf("the redirected read answers differently\n");
        return 1;
    }
    std::vector<double> throughRedirection, throughTrampoline;
    for (int round = 0; round < Rounds; ++round) {
        throughRedirection.push_back(NanosecondsPerCall(redirected));
        throughTrampoline.push_back(NanosecondsPerCall(trampoline));
    }
    double patched = Median(throughRedirection), direct = Median(throughTrampoline);
    std::printf("%s(GWL_WNDPROC), unskinned window, median of %d rounds of %d calls\n", name, Rounds, Calls);
    std::printf("  redirected:          %8.1f ns per call\n", patched);
    std::printf("  trampoline directly: %8.1f ns per call\n", direct);
    std::printf("  ratio:               %8.2f\n", patched / direct);
    DestroyWindow(skinned);
    DestroyWindow(window);
    return 0;
}
