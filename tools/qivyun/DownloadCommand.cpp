// qivyun download URL TARGET [--segments N] [-c]: the updater's segmented download on the command
// line, into TARGET whatever name a redirect gives the file. On a terminal, stderr shows the
// updater's status and speed as one line redrawn every 150 ms; elsewhere only the final line is
// written (UTF-8). The exit code is 0 when the target is complete, 1 when the download failed, 2 for
// bad arguments or an address that is not plain http, 128 + the signal's number when SIGINT or
// SIGTERM ended it. An interrupted or broken download keeps TARGET.down and its record
// TARGET.down.state; -c continues it where the server still has the same file.
#include "Commands.h"

#include "common/CodePage.h"
#include "updater/DownloadProgress.h"
#include "updater/SegmentedDownloader.h"

#include <signal.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <iostream>
#include <mutex>
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

// SIGINT and SIGTERM are taken by one thread of their own, which asks the running download to stop
// and keep what resuming needs; the download's threads never see them.
class StopOnSignal {
public:
    StopOnSignal() {
        sigemptyset(&signals);
        sigaddset(&signals, SIGINT);
        sigaddset(&signals, SIGTERM);
        pthread_sigmask(SIG_BLOCK, &signals, nullptr);
        // it outlives the command and stays blocked in its wait until the process ends
        std::thread([this] {
            int number = 0;
            while (sigwait(&signals, &number) != 0) {
            }
            std::lock_guard lock(mutex);
            received = number;
            if (downloader) downloader->RequestStop();
        }).detach();
    }
    // While the returned object lives, a signal stops `running` (also one that came before).
    auto Watch(SegmentedDownloader& running) {
        std::lock_guard lock(mutex);
        downloader = &running;
        if (received != 0) running.RequestStop();
        struct Watching {
            StopOnSignal& owner;
            ~Watching() {
                std::lock_guard lock(owner.mutex);
                owner.downloader = nullptr;
            }
        };
        return Watching{*this};
    }
    int Received() {
        std::lock_guard lock(mutex);
        return received;
    }

private:
    sigset_t signals{};
    std::mutex mutex;
    SegmentedDownloader* downloader = nullptr;
    int received = 0;
};

}  // namespace

int RunDownload(const Arguments& arguments) {
    DownloadOptions options;
    options.keepTargetName = true;
    std::vector<std::string> positional;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--segments" && i + 1 < arguments.size()) {
            try {
                options.segmentCount = std::stoi(arguments[++i]);
            } catch (...) {
                options.segmentCount = 0;
            }
        } else if (arguments[i] == "-c" || arguments[i] == "--continue") {
            options.resume = true;
        } else {
            positional.push_back(arguments[i]);
        }
    }
    if (positional.size() != 2 || options.segmentCount < 1 || options.segmentCount > MaxSegments) {
        std::cerr << "usage: qivyun download URL TARGET [--segments N] [-c]   (N from 1 to " << MaxSegments << ")\n";
        return 2;
    }
    const std::string& url = positional[0];
    if (Address address; ParseAddress(url, address) != AddressProblem::None) {
        std::cerr << "qivyun download: " << url << ": " << DescribeAddressProblem(url) << "\n";
        return 2;
    }

    static StopOnSignal stopOnSignal;
    // the updater's message boxes have no place here: the error line names the cause
    SegmentedDownloader downloader;
    const bool terminal = isatty(STDERR_FILENO) == 1;
    const std::uint32_t start = TickCount();
    const auto watching = stopOnSignal.Watch(downloader);
    downloader.Start(url, positional[1], options);
    const std::string name = FileNameOfPath(downloader.TargetPath(), true);
    const auto figuresNow = [&] {
        return ComputeProgress(ElapsedTenths(TickCount(), start), downloader.TotalSize(), downloader.PermilleSum(),
                               downloader.ReceivedSum(), name);
    };
    // the line is redrawn every 150 ms, as the updater's timer does; the end wakes the wait at once
    while (terminal && !downloader.WaitFor(150)) {
        const ProgressFigures figures = figuresNow();
        std::cerr << "\r" << ProgressLine(figures.statusLine, figures.speedLine) << "\x1b[K" << std::flush;
    }
    downloader.Wait();
    const ProgressFigures figures = figuresNow();
    if (terminal) std::cerr << "\r\x1b[K";
    if (downloader.Outcome() == DownloadOutcome::Complete) {
        std::cerr << ProgressLine(FinishedStatusLine(name, figures.percentText, true), figures.speedLine) << "\n";
        return 0;
    }
    const bool kept = disk::Exists(RecordPathOf(downloader.WrittenPath()));
    const std::string keptText = kept ? " (what arrived is kept: -c continues it)" : "";
    if (const int signal = stopOnSignal.Received(); signal != 0) {
        std::cerr << "qivyun download: " << url << ": interrupted by SIG" << sigabbrev_np(signal) << keptText << "\n";
        return 128 + signal;
    }
    std::cerr << "qivyun download: " << url << ": " << downloader.FailureCause() << keptText << "\n";
    return 1;
}

}  // namespace qivyun::tool
