// qivyun download URL TARGET [--segments N]: the updater's segmented download on the command line.
// On a terminal, stderr shows the updater's status and speed as one line redrawn every 150 ms;
// elsewhere only the final line is written (UTF-8). The exit code is 0 when the target is complete,
// 1 otherwise.
#include "Commands.h"

#include "common/CodePage.h"
#include "updater/DownloadProgress.h"
#include "updater/SegmentedDownloader.h"

#include <time.h>
#include <unistd.h>

#include <iostream>
#include <string>
#include <thread>

namespace qivyun::tool {
namespace {

std::uint32_t TickCount() {
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<std::uint32_t>(now.tv_sec * 1000 + now.tv_nsec / 1000000);
}

// The status and speed lines of the updater's window as one line.
std::string ProgressLine(const std::string& statusLine, const std::string& speedLine) {
    std::string line = Utf8FromGbk(statusLine) + "  ";
    // the window spreads the speed line over its width with a run of blanks
    for (const char c : Utf8FromGbk(speedLine))
        if (c != ' ' || line.back() != ' ' || line[line.size() - 2] != ' ') line += c;
    return line;
}

}  // namespace

int RunDownload(const Arguments& arguments) {
    int segments = 4;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--segments" && i + 1 < arguments.size()) {
            try {
                segments = std::stoi(arguments[++i]);
            } catch (...) {
                segments = 0;
            }
        } else {
            positional.push_back(arguments[i]);
        }
    }
    if (positional.size() != 2 || segments < 1 || segments > MaxSegments) {
        std::cerr << "usage: qivyun download URL TARGET [--segments N]   (N from 1 to " << MaxSegments << ")\n";
        return 2;
    }
    // the updater's message boxes have no place here: the error line names the cause
    SegmentedDownloader downloader;
    const bool terminal = isatty(STDERR_FILENO) == 1;
    const std::uint32_t start = TickCount();
    downloader.Start(positional[0], positional[1], segments);
    const std::string name = FileNameOfPath(downloader.TargetPath(), true);
    ProgressFigures figures;
    // the line is redrawn every 150 ms, as the updater's timer does; the end is noticed sooner
    std::uint32_t shown = start;
    bool running = true;
    do {
        std::this_thread::sleep_for(std::chrono::milliseconds(10));
        running = downloader.Outcome() == DownloadOutcome::Running;
        const std::uint32_t now = TickCount();
        if (running && now - shown < 150) continue;
        shown = now;
        figures = ComputeProgress(ElapsedTenths(now, start), downloader.TotalSize(), downloader.PermilleSum(),
                                  downloader.ReceivedSum(), name);
        // the terminal's line is overwritten in place and cleared to its end
        if (terminal && running) std::cerr << "\r" << ProgressLine(figures.statusLine, figures.speedLine) << "\x1b[K" << std::flush;
    } while (running);
    downloader.Wait();
    const bool complete = downloader.Outcome() == DownloadOutcome::Complete;
    if (terminal) std::cerr << "\r\x1b[K";
    if (complete) {
        std::cerr << ProgressLine(FinishedStatusLine(name, figures.percentText, true), figures.speedLine) << "\n";
        return 0;
    }
    std::cerr << "qivyun download: " << positional[0] << ": " << downloader.FailureCause() << "\n";
    return 1;
}

}  // namespace qivyun::tool
