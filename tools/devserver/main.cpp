// qivyun-devserver: the local test world on loopback.
//
//   qivyun-devserver [--port-base N] [--programs DIR] [--signing-key FILE]
//
// --programs names the folder of the built Windows programs that the update server hands out (by
// default this tree's 32-bit build); --signing-key the private key it signs its manifests with (by
// default the test fixture whose public half the test builds carry).
// With no arguments it serves every party on the ports of the build's default configuration and
// runs until SIGINT or SIGTERM, printing one line per request on stdout:
//   PARTY PORT METHOD TARGET STATUS "USER-AGENT"
// A port that another process holds (another test world on the same base) is refused, never shared.
#include "BuildConfig.h"
#include "Parties.h"
#include "support/InputFile.h"

#include <CLI/CLI.hpp>

#include <csignal>
#include <filesystem>
#include <iostream>
#include <string>
#include <thread>

using namespace qivyun;

namespace {

// An option's file or folder that is not there ends the start with one line (exit 1).
bool Present(const std::string& path, bool folder) {
    std::error_code error;
    std::optional<std::string> problem = tool::InputProblem(path);
    if (folder && problem == "is a folder") problem.reset();
    if (!problem && folder && !std::filesystem::is_directory(path, error)) problem = "is not a folder";
    if (problem) std::cerr << "qivyun-devserver: " << path << ": " << *problem << "\n";
    return !problem;
}

int RunWorld(int argc, char** argv) {
    devserver::WorldOptions options;
    int portBase = config::WorldPortBase;
    CLI::App app("The local test world: every outside party of the QivYun programs on loopback, each on its own "
                 "port,\nwith one line per request on stdout, until SIGINT or SIGTERM",
                 "qivyun-devserver");
    app.footer("Example:\n  qivyun-devserver --port-base 28080 --programs build/win32/bin");
    app.set_version_flag("--version", "qivyun-devserver " QIVYUN_TOOL_VERSION, "Print the version and exit");
    app.add_option("--port-base", portBase, "The world's first port; the others follow it")
        ->check(CLI::Range(1, 65535))
        ->capture_default_str();
    app.add_option("--programs", options.programsFolder, "The folder of the Windows programs the update server hands out");
    app.add_option("--signing-key", options.signingKeyFile, "The private key (PEM) the manifests are signed with");
    try {
        app.parse(argc, argv);
    } catch (const CLI::CallForHelp&) {
        std::cout << app.help();
        return 0;
    } catch (const CLI::CallForVersion& version) {
        std::cout << version.what() << "\n";
        return 0;
    } catch (const CLI::ParseError& error) {
        std::cerr << "qivyun-devserver: " << error.what() << " (qivyun-devserver --help tells more)\n";
        return 2;
    }
    if (!options.programsFolder.empty() && !Present(options.programsFolder, true)) return 1;
    if (!options.signingKeyFile.empty() && !Present(options.signingKeyFile, false)) return 1;
    options.portShift = portBase - config::WorldPortBase;

    // The signals are taken by sigwait below, never by the serving threads.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    devserver::TestWorld world(options);
    devserver::AddVendorSite(world);
    devserver::AddSearchSites(world);
    devserver::AddPlaySites(world);
    if (!devserver::AddUpdateServer(world)) return 1;
    devserver::AddDownloadModes(world);
    const auto [lowest, highest] = world.PortSpan();
    if (lowest < 1 || highest > 65535) {
        std::cerr << "qivyun-devserver: --port-base " << portBase << ": the world's ports " << lowest << "-" << highest
                  << " must lie within 1-65535\n";
        return 2;
    }
    if (!world.Listen()) return 1;

    std::thread serving([&world] { world.Serve(); });
    std::cerr << "qivyun-devserver: serving the test world (port base " << portBase << ")\n";
    int signal = 0;
    sigwait(&stopSignals, &signal);
    world.Stop();
    serving.join();
    std::cerr << "qivyun-devserver: stopped\n";
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    // Whatever the world's parts throw while they start ends the start with one line, never an abort.
    try {
        return RunWorld(argc, argv);
    } catch (const std::exception& error) {
        std::cerr << "qivyun-devserver: unexpected failure: " << error.what() << "\n";
    } catch (...) {
        std::cerr << "qivyun-devserver: unexpected failure\n";
    }
    return 1;
}
