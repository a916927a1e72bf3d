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
#include "BuildConfig.h"
#include "Parties.h"

#include <csignal>
#include <cstring>
#include <iostream>
#include <string>
#include <thread>

using namespace qivyun;

int main(int argc, char** argv) {
    devserver::WorldOptions options;
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--port-base") == 0 && i + 1 < argc) {
            options.portShift = std::stoi(argv[++i]) - config::WorldPortBase;
        } else if (std::strcmp(argv[i], "--programs") == 0 && i + 1 < argc) {
            options.programsFolder = argv[++i];
        } else if (std::strcmp(argv[i], "--signing-key") == 0 && i + 1 < argc) {
            options.signingKeyFile = argv[++i];
        } else {
            std::cerr << "usage: qivyun-devserver [--port-base N] [--programs DIR] [--signing-key FILE]\n";
            return 2;
        }
    }

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
    if (!world.Listen()) return 1;

    std::thread serving([&world] { world.Serve(); });
    std::cerr << "qivyun-devserver: serving the test world (port base "
              << config::WorldPortBase + options.portShift << ")\n";
    int signal = 0;
    sigwait(&stopSignals, &signal);
    world.Stop();
    serving.join();
    std::cerr << "qivyun-devserver: stopped\n";
    return 0;
}
