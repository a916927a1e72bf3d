// What a repaint costs with the skin against the same windows without it: the main window whole
// and one control of each skinned kind, each repainted in-process (RedrawWindow, invalidated with
// erase and frame, painted at once) by two processes of this program, one built from the main
// program's resources and one from the same resources without the skin (as the program's
// unskinned build is made). The two run on one processor and take turns, subject by subject in
// every round, so that both see the same machine.
//   scripts/wine-run win32 build/win32/bin/paint_benchmark.exe [ROUNDS]
// It prints, per subject, the median and the fastest cost of a repaint on each side and the ratio
// of the medians, against the ceiling the skin is held to.
#include "PaintSubjects.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace qivyun::test;

constexpr int DefaultRounds = 21;
constexpr DWORD StartSeconds = 60;

// One serving process and its request window.
class Server {
public:
    // processor: the one processor the server runs on (0: any).
    Server(const std::string& program, const std::string& title, DWORD_PTR processor) : title_(title) {
        std::string commandLine = "\"" + program + "\" --serve " + title;
        STARTUPINFOA startup{};
        startup.cb = sizeof startup;
        if (!CreateProcessA(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                            &process_)) {
            std::fprintf(stderr, "paint_benchmark: cannot start %s (error %lu)\n", program.c_str(), GetLastError());
            return;
        }
        CloseHandle(process_.hThread);
        if (processor) SetProcessAffinityMask(process_.hProcess, processor);
        const DWORD begun = GetTickCount();
        while (!(window_ = FindWindowA(PaintServerClass, title_.c_str()))) {
            if (GetTickCount() - begun > StartSeconds * 1000 ||
                WaitForSingleObject(process_.hProcess, 0) == WAIT_OBJECT_0) {
                std::fprintf(stderr, "paint_benchmark: %s did not show its windows\n", program.c_str());
                return;
            }
            Sleep(100);
        }
    }
    ~Server() {
        if (!process_.hProcess) return;
        if (window_) PostMessageA(window_, WM_CLOSE, 0, 0);
        if (WaitForSingleObject(process_.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(process_.hProcess, 1);
        CloseHandle(process_.hProcess);
    }
    Server(const Server&) = delete;
    Server& operator=(const Server&) = delete;

    bool Ready() const { return window_ != nullptr; }
    // Nanoseconds per repaint; 0 when the server failed to answer.
    double TimeRepaints(size_t subject, int repeats) const {
        DWORD_PTR answer = 0;
        if (!SendMessageTimeoutA(window_, TimeRepaintsMessage, subject, repeats, SMTO_BLOCK, 120000, &answer)) return 0;
        return static_cast<double>(answer);
    }

private:
    std::string title_;
    PROCESS_INFORMATION process_{};
    HWND window_ = nullptr;
};

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values[values.size() / 2];
}

double Fastest(const std::vector<double>& values) { return *std::min_element(values.begin(), values.end()); }

std::string Folder(const std::string& path) { return path.substr(0, path.find_last_of("\\/")); }

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && std::string(argv[1]) == "--serve") return ServePaintSubjects(argv[2]);
    const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : DefaultRounds;

    char own[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    // The unskinned build lies beside the bin folder, as the program's unskinned build does.
    const std::string unskinnedProgram = Folder(Folder(own)) + "\\unskinned\\paint_benchmark.exe";
    const std::string tag = std::to_string(GetCurrentProcessId());
    // Both on one processor: on a machine shared with other work, two processors can be loaded
    // very differently for seconds at a time.
    DWORD_PTR allowed = 0, system = 0;
    GetProcessAffinityMask(GetCurrentProcess(), &allowed, &system);
    const DWORD_PTR processor = allowed & (~allowed + 1);
    Server skinned(own, "skinned-" + tag, processor);
    Server unskinned(unskinnedProgram, "unskinned-" + tag, processor);
    if (!skinned.Ready() || !unskinned.Ready()) return 1;

    std::printf("repaint cost in microseconds, median and fastest of %d alternating rounds (%s)\n", rounds,
                sizeof(void*) == 8 ? "win64" : "win32");
    // Every round times every subject on both sides, each side first in every other round, so that
    // what the shared machine does meanwhile falls on both alike.
    std::array<std::vector<double>, PaintSubjects.size()> withSkin, withoutSkin;
    for (int round = 0; round < rounds; ++round) {
        for (size_t subject = 0; subject < PaintSubjects.size(); ++subject) {
            const Server* order[2] = {&skinned, &unskinned};
            if (round % 2) std::swap(order[0], order[1]);
            for (const Server* server : order) {
                const double cost = server->TimeRepaints(subject, PaintSubjects[subject].repeats);
                if (cost <= 0) {
                    std::fprintf(stderr, "paint_benchmark: no answer for the %s\n",
                                 std::string(PaintSubjects[subject].name).c_str());
                    return 1;
                }
                (server == &skinned ? withSkin : withoutSkin)[subject].push_back(cost / 1000);
            }
        }
    }
    std::printf("%-14s %18s %18s %7s %8s\n", "", "skinned", "unskinned", "ratio", "ceiling");
    bool within = true;
    for (size_t subject = 0; subject < PaintSubjects.size(); ++subject) {
        const PaintSubject& what = PaintSubjects[subject];
        const std::vector<double>& on = withSkin[subject];
        const std::vector<double>& off = withoutSkin[subject];
        const double ratio = Median(on) / Median(off);
        within = within && ratio <= what.ceiling;
        std::printf("%-14s %9.1f (%6.1f) %9.1f (%6.1f) %7.2f %8.1f%s\n", std::string(what.name).c_str(), Median(on),
                    Fastest(on), Median(off), Fastest(off), ratio, what.ceiling, ratio <= what.ceiling ? "" : "  over");
    }
    std::printf("%s\n", within ? "every ratio within its ceiling" : "some ratios over their ceilings");
    return 0;
}
