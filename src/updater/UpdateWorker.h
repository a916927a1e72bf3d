#pragma once
// The update worker: the manifest, then the updater itself, then the main program. It reaches the
// updater's window only through the window's gate: it asks for each download there and waits for
// the window to report its end.
#include "framework/Event.h"
#include "framework/UiGate.h"
#include "updater/UpdaterSettings.h"

#include <functional>
#include <memory>
#include <string>

namespace qivyun {

// What the worker asks of the window; each step runs on the window's thread, while it exists.
struct UpdateWorkerWindow {
    std::shared_ptr<UiGate> gate;
    // Starts the download of an address to a target path, written with the side suffix added to
    // the path, and shows its progress; a quiet download shows no message of its own when it fails.
    std::function<void(const std::string& url, const std::string& target, const std::string& sideSuffix, bool quiet)>
        startDownload;
    // Set by the window when a download it started has ended (complete, failed or never begun).
    std::shared_ptr<Event> downloadEnded;
    // Reports that nothing needs updating, and ends the program.
    std::function<void()> reportUpToDate;
    // Reports why the update stopped, and ends the program.
    std::function<void(const char* text)> reportStopped;
};

// Ends the process after starting a new program, or when an update failed; otherwise reports the
// programs up to date. Nothing is downloaded unless the manifest passes its check, and a program
// takes its place (and is started) only when both its digests are the manifest's; either check
// failing stops the update with its message. Returns 1; returns early when the window goes away
// meanwhile.
unsigned UpdateWorker(const UpdateWorkerWindow& window, const UpdaterSettings& settings);

// Ends every running process whose executable file name equals the file-name part of `path`
// (ignoring case), with the right to terminate only.
void EndRunningCopies(const std::string& path);

}  // namespace qivyun
