#pragma once
// The local test world: every outside party the programs meet, each an HTTP server on its own
// loopback port, with one log line per request on standard output.
#include <httplib.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace qivyun::devserver {

struct WorldOptions {
    // Added to every configured port: lets a test run its own world beside the default one.
    int portShift = 0;
    // Where the update server finds the built Windows programs it hands out.
    std::string programsFolder;
    // The private key the update server signs its manifests with (the test fixture by default).
    std::string signingKeyFile;
};

class TestWorld {
public:
    explicit TestWorld(WorldOptions options) : options_(options) {}

    // A party answers on the port of a configured address (the address's path is the party's business).
    httplib::Server& AddParty(const std::string& name, const std::string& configuredAddress);

    // The lowest and the highest port of the parties added.
    std::pair<int, int> PortSpan() const;
    // Binds every port, each for this world alone; false (with a message naming the port on stderr)
    // when one cannot be bound, also when another process listens on it.
    bool Listen();
    // Serves until Stop, each party on its own thread.
    void Serve();
    void Stop();

    const WorldOptions& Options() const { return options_; }

private:
    struct Party {
        std::string name;
        int port;
        std::unique_ptr<httplib::Server> server;
    };
    WorldOptions options_;
    std::vector<Party> parties_;
};

// Keeps a log of the party's requests for tests to assert exact addresses:
//   GET  /world/requests        "METHOD TARGET USER-AGENT" per request since the last reset, one a line
//   POST /world/requests/reset  empties the log
httplib::Server& LogRequests(httplib::Server& site);

// The port of an address of the form scheme://host:port/..., or 80 when it names none.
int PortOf(const std::string& address);
// Text made safe to stand in HTML markup.
std::string HtmlEscape(const std::string& text);

// The path (and query) of an address, "/" when it names none.
std::string PathOf(const std::string& address);

}  // namespace qivyun::devserver
