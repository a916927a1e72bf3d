// qivyun download URL TARGET [--segments N] [-c] [-q]: the updater's segmented download on the
// command line, into TARGET (or -o FILE) whatever name a redirect gives the file. On a terminal,
// stderr shows one progress line redrawn every 150 ms; at the end one line tells the bytes, the time
// and the average speed (-q: nothing but failures). The exit code is 0 when the target is complete,
// 1 when the download failed, 2 for bad arguments or an address that is not plain http, 128 + the
// signal's number when SIGINT or SIGTERM ended it. An interrupted or broken download keeps
// TARGET.down and its record TARGET.down.state; -c continues it where the server still has the same
// file.
#include "VersionCommands.h"

#include "updater/DownloadProgress.h"
#include "updater/SegmentedDownloader.h"

#include <signal.h>
#include <string.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
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

// An amount in bytes, KiB, MiB or GiB, with one decimal from KiB on.
std::string AmountText(double bytes) {
    static const char* const units[] = {"KiB", "MiB", "GiB", "TiB"};
    if (bytes < 1024) return std::to_string(static_cast<long long>(bytes)) + " B";
    int unit = 0;
    for (bytes /= 1024; bytes >= 1024 && unit < 3; ++unit) bytes /= 1024;
    char text[32];
    std::snprintf(text, sizeof text, "%.1f %s", bytes, units[unit]);
    return text;
}

// A speed in KiB/s, or in MiB/s from 1 MiB/s on.
std::string SpeedText(double bytes, double seconds) {
    const double perSecond = seconds > 0 ? bytes / seconds : 0;
    char text[32];
    if (perSecond < 1024.0 * 1024)
        std::snprintf(text, sizeof text, "%.1f KiB/s", perSecond / 1024);
    else
        std::snprintf(text, sizeof text, "%.1f MiB/s", perSecond / (1024 * 1024));
    return text;
}

std::string SecondsText(double seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%.2f s", seconds);
    return text;
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

struct DownloadCommandOptions {
    std::string url;
    std::string target;
    std::string output;  // -o FILE: the target by another name
    int segments = 4;
    bool resume = false;
    bool quiet = false;
};

double SecondsSince(std::uint32_t start) { return (TickCount() - start) / 1000.0; }

int RunDownload(const DownloadCommandOptions& given) {
    const std::string& url = given.url;
    const std::string& target = given.output.empty() ? given.target : given.output;
    if (target.empty()) return Complain("download", "TARGET or -o FILE is required", ExitBadArguments);
    if (Address address; ParseAddress(url, address) != AddressProblem::None)
        return Complain("download", url + ": " + DescribeAddressProblem(url), ExitBadArguments);
    if (std::error_code error; std::filesystem::is_directory(target, error))
        return Complain("download", target + ": is a folder; give the file's path");

    DownloadOptions options;
    options.keepTargetName = true;
    options.segmentCount = given.segments;
    options.resume = given.resume;
    static StopOnSignal stopOnSignal;
    // the updater's message boxes have no place here: the error line names the cause
    SegmentedDownloader downloader;
    const bool terminal = !given.quiet && isatty(STDERR_FILENO) == 1;
    const std::uint32_t start = TickCount();
    const auto watching = stopOnSignal.Watch(downloader);
    downloader.Start(url, target, options);
    const std::string name = FileNameOfPath(downloader.TargetPath(), true);
    // what an interrupted download had kept before this run
    const std::int64_t before = downloader.Resumed() ? downloader.ReceivedSum() : 0;
    // the line is redrawn every 150 ms, as the updater's timer does; the end wakes the wait at once
    while (terminal && !downloader.WaitFor(150)) {
        const std::int64_t total = downloader.TotalSize(), received = downloader.ReceivedSum();
        const int percent = total > 0 ? static_cast<int>(received * 100 / total) : 0;
        std::cerr << "\r" << Printable(name) << "  " << percent << "%  " << AmountText(received) << " of "
                  << AmountText(total) << "  " << SpeedText(received - before, SecondsSince(start)) << "\x1b[K"
                  << std::flush;
    }
    downloader.Wait();
    if (terminal) std::cerr << "\r\x1b[K";
    if (downloader.Outcome() == DownloadOutcome::Complete) {
        const double seconds = SecondsSince(start);
        const std::int64_t total = downloader.TotalSize();
        if (!given.quiet) {
            std::cerr << Printable(downloader.TargetPath()) << ": " << total << " bytes"
                      << (before > 0 ? " (" + std::to_string(total - before) + " of them now)" : "") << " in "
                      << SecondsText(seconds) << ", " << SpeedText(static_cast<double>(total - before), seconds) << "\n";
        }
        return ExitDone;
    }
    const bool kept = disk::Exists(RecordPathOf(downloader.WrittenPath()));
    const std::string keptText = kept ? " (what arrived is kept: -c continues it)" : "";
    if (const int signal = stopOnSignal.Received(); signal != 0) {
        Complain("download", url + ": interrupted by SIG" + sigabbrev_np(signal) + keptText);
        return 128 + signal;
    }
    return Complain("download", url + ": " + downloader.FailureCause() + keptText);
}

}  // namespace

void AddDownloadCommand(CommandTable& table) {
    auto options = std::make_shared<DownloadCommandOptions>();
    CLI::App& command = table.Add(
        table.Root(), "download",
        "Download a file over plain http as the updater does, in byte ranges on connections of their own\n"
        "Exit 0 complete, 1 failed, 2 bad arguments or an address that is not plain http, 130 after Ctrl-C.\n"
        "An interrupted download keeps TARGET.down and TARGET.down.state; -c continues it.",
        "qivyun download http://127.0.0.1:18081/QivYun/QivYunPlay.exe QivYunPlay.exe -c",
        [options] { return RunDownload(*options); });
    command.add_option("URL", options->url, "The http:// address")->required();
    CLI::Option* target = command.add_option("TARGET", options->target, "The file to write (or -o FILE)");
    command.add_option("-o,--output", options->output, "The file to write, instead of TARGET")->excludes(target);
    command.add_option("--segments", options->segments, "Byte ranges fetched at once")
        ->check(WholeNumber(1, MaxSegments))
        ->capture_default_str();
    command.add_flag("-c,--continue", options->resume, "Continue an interrupted download of the same file");
    command.add_flag("-q,--quiet", options->quiet, "Write nothing but the cause of a failure");
}

}  // namespace qivyun::tool
