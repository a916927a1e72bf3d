#pragma once
// The check that runs once at every start of the main program: fetch the manifest and its
// signature, check them, load the counters, compare the program's digest and either start the
// updater or show the status line.
#include "framework/UiGate.h"
#include "versioncheck/ManifestCheck.h"

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
    // The installation's record of the serial it last applied (beside the programs); none when empty.
    std::string appliedSerialPath = {};
    UpdateTrust trust = UpdateTrust::OfThisBuild();

    static StartupCheckSettings ForThisProcess();
};

// What the check asks of the main window; each runs on the window's thread, while it exists.
struct StartupCheckWindow {
    std::shared_ptr<UiGate> gate;
    std::function<void(const std::string& address)> navigateVisitorPage;  // browser 1005
    std::function<void(const std::string& address)> navigateCountPage;    // browser 1062
    // The check's text for the status line (static 1061), which the window keeps and shows.
    std::function<void(const std::string& text)> showStatusLine;
    // The manifest once it has passed its check, for the window's links (buttons 1083, 1084).
    std::function<void(const CheckedManifest& manifest)> keepManifest = nullptr;
};

// The first (at most) 100 bytes of one read of an address's body; empty on any failure.
std::string FetchUrlText(const std::string& address);

// The worker routine. Returns 1; ends the process when it has started the updater. A manifest that
// does not pass its check starts nothing and loads no counter: the user is told why, and the
// status line says that the update information cannot be verified.
unsigned StartupCheck(const StartupCheckWindow& window, const StartupCheckSettings& settings);

}  // namespace qivyun
