// qivyun download URL TARGET [--segments N]: the updater's segmented download on the command line.
// While it runs, stderr gets the updater's speed and status lines every 150 ms (UTF-8); the exit
// code is 0 when the target is complete, 1 otherwise.
#include "Commands.h"

#include "common/CodePage.h"
#include "updater/DownloadProgress.h"
#include "updater/SegmentedDownloader.h"

#include <time.h>

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
    SegmentedDownloader downloader([](const char* text) { std::cerr << Utf8FromGbk(text) << "\n"; });
    const std::uint32_t start = TickCount();
    downloader.Start(positional[0], positional[1], segments);
    const std::string name = FileNameOfPath(downloader.TargetPath(), true);
    ProgressFigures figures;
    // the lines come every 150 ms, as the updater's timer shows them; the end is noticed sooner
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
        std::cerr << Utf8FromGbk(figures.speedLine) << "\n" << Utf8FromGbk(figures.statusLine) << "\n";
    } while (running);
    downloader.Wait();
    const bool complete = downloader.Outcome() == DownloadOutcome::Complete;
    if (complete) std::cerr << Utf8FromGbk(FinishedStatusLine(name, figures.percentText)) << "\n";
    return complete ? 0 : 1;
}

}  // namespace qivyun::tool
