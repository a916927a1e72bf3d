#pragma once
// The check that runs once at every start of the main program: fetch the manifest, load the
// counters, compare the program's digest and either start the updater or show the status line.
#include "framework/UiGate.h"

#include <functional>
#include <memory>
#include <string>

namespace qivyun {

// Where the check looks. ForThisProcess gives the program's own; tests give others.
struct StartupCheckSettings {
    std::string manifestAddress;  // the update server's manifest
    std::string manifestPath;     // its local copy
    std::string ownPath;          // the running program
    std::string updaterPath;      // current directory + "\QivYunUpdate.exe"

    static StartupCheckSettings ForThisProcess();
};

// What the check asks of the main window; each runs on the window's thread, while it exists.
struct StartupCheckWindow {
    std::shared_ptr<UiGate> gate;
    std::function<void(const std::string& address)> navigateVisitorPage;  // browser 1005
    std::function<void(const std::string& address)> navigateCountPage;    // browser 1062
    // The check's text for the status line (static 1061), which the window keeps and shows.
    std::function<void(const std::string& text)> showStatusLine;
};

// The first (at most) 100 bytes of one read of an address's body; empty on any failure.
std::string FetchUrlText(const std::string& address);

// The worker routine. Returns 1; ends the process when it has started the updater.
unsigned StartupCheck(const StartupCheckWindow& window, const StartupCheckSettings& settings);

}  // namespace qivyun
