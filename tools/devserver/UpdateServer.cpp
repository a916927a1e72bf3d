// The update server: the manifest with the real digests of the built programs and the build's
// release serial, signed with the world's key (the signature at the manifest's address plus
// ".sig"), the programs with byte ranges, counter texts and pages that count their hits, the
// companion pages.
//
// Tests steer it through /world/...:
//   POST   /world/manifest[?status=N][&signature=none]
//                                      serve the request body as the manifest (with status N),
//                                      signed with the world's key (or without a signature: 404)
//   POST   /world/manifest/signature   serve the request body as the signature of that manifest
//   DELETE /world/manifest             back to the manifest of the built programs
//   POST   /world/sign                 the world's signature file of the request body
//   POST   /world/files/NAME           serve the request body at /files/NAME, with byte ranges
//   GET    /world/counters             "PATH HITS" per counter, one a line
//   POST   /world/counters/reset       every counter back to zero
#include "BuildConfig.h"
#include "Parties.h"
#include "SigningKey.h"
#include "UpdateSite.h"
#include "versioncheck/Manifest.h"
#include "versioncheck/Md5.h"

#include <atomic>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <mutex>
#include <optional>
#include <sstream>

namespace qivyun::devserver {
namespace {

namespace fs = std::filesystem;

struct ManifestOverride {
    int status = 200;
    std::string body;
    std::optional<std::string> signature;  // none: the signature's address answers 404
};

struct UpdateServerState {
    explicit UpdateServerState(updatesite::SigningKey key) : signingKey(std::move(key)) {}
    std::string baseAddress;
    fs::path programsFolder;
    updatesite::SigningKey signingKey;
    std::mutex mutex;
    std::optional<ManifestOverride> manifestOverride;
    // The last manifest of the built programs that was signed, and its signature: a signature is
    // made anew each time, so the pieces of one fetched in byte ranges must come from one.
    std::string signedManifest;
    std::string signature;
    std::map<std::string, std::string> files;
    // One count per counter path; the map is filled once, so lookups need no lock.
    std::map<std::string, std::atomic<long>> hits;
};

// The configured address with the world's port shift: what the programs of this world ask for.
std::string ShiftedBaseAddress(const TestWorld& world) {
    std::string address = config::UpdateServerAddress;
    auto hostStart = address.find("://");
    hostStart = hostStart == std::string::npos ? 0 : hostStart + 3;
    std::string host = address.substr(hostStart, address.find_first_of(":/", hostStart) - hostStart);
    return "http://" + host + ":" + std::to_string(PortOf(address) + world.Options().portShift);
}

std::optional<std::string> ReadWholeFile(const fs::path& path) {
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

// A static web server sends files as they are; httplib would compress text for clients that accept
// it. The request object is httplib's own mutable one, handed to handlers as const.
void ServeUncompressed(const httplib::Request& request) {
    const_cast<httplib::Request&>(request).headers.erase("Accept-Encoding");
}

std::string CurrentManifest(const UpdateServerState& state) {
    std::vector<updatesite::PublishedProgram> published;
    for (const updatesite::Program& program : updatesite::programs)
        published.push_back(updatesite::PublishedFile(program, (state.programsFolder / program.fileName).string()));
    return updatesite::ComposeManifest(state.baseAddress, published, config::ReleaseSerial);
}

}  // namespace

bool AddUpdateServer(TestWorld& world) {
    const std::string keyFile =
        world.Options().signingKeyFile.empty() ? updatesite::TestSigningKeyFile() : world.Options().signingKeyFile;
    std::string problem;
    auto key = updatesite::SigningKey::Load(keyFile, problem);
    if (!key) {
        std::cerr << "qivyun-devserver: the signing key " << keyFile << " " << problem << "\n";
        return false;
    }
    httplib::Server& server = world.AddParty("update", config::UpdateServerAddress);
    auto state = std::make_shared<UpdateServerState>(std::move(*key));
    state->baseAddress = ShiftedBaseAddress(world);
    state->programsFolder =
        world.Options().programsFolder.empty() ? updatesite::DefaultProgramsFolder() : world.Options().programsFolder;
    for (const char* path : {updatesite::CountPagePath, updatesite::VisitorPagePath, updatesite::AccumulativeTextPath,
                             updatesite::UsageTextPath})
        state->hits[path] = 0;

    server.Get(ManifestServerPath, [state](const httplib::Request& request, httplib::Response& response) {
        ServeUncompressed(request);
        std::lock_guard lock(state->mutex);
        if (state->manifestOverride) {
            // a 200 is left to httplib, which turns it into 206 for a range request; an explicit
            // 200 would come with the range's bytes only
            if (state->manifestOverride->status != 200) response.status = state->manifestOverride->status;
            response.set_content(state->manifestOverride->body, "text/plain");
            return;
        }
        // Computed on every request, so a rebuilt program is offered at once.
        response.set_content(CurrentManifest(*state), "text/plain");
    });
    // The same manifest comes out for the signature as long as the programs stay as they are.
    server.Get(SignatureLocationOf(ManifestServerPath), [state](const httplib::Request& request, httplib::Response& response) {
        ServeUncompressed(request);
        std::lock_guard lock(state->mutex);
        std::optional<std::string> signature;
        if (state->manifestOverride) {
            signature = state->manifestOverride->signature;
        } else {
            std::string manifest = CurrentManifest(*state);
            if (manifest != state->signedManifest) {
                state->signature = state->signingKey.SignatureFileOf(manifest);
                state->signedManifest = std::move(manifest);
            }
            signature = state->signature;
        }
        if (!signature) {
            response.status = 404;
            response.set_content("no signature\n", "text/plain");
            return;
        }
        response.set_content(*signature, "text/plain");
    });

    for (const updatesite::Program& program : updatesite::programs) {
        server.Get(updatesite::ProgramPath(program), [state, program](const httplib::Request&, httplib::Response& response) {
            auto content = ReadWholeFile(state->programsFolder / program.fileName);
            if (!content) {
                response.status = 404;
                response.set_content("not built\n", "text/plain");
                return;
            }
            // httplib answers a "Range" request with 206 and exactly the requested bytes.
            response.set_content(std::move(*content), "application/octet-stream");
        });
    }

    for (const char* path : {updatesite::AccumulativeTextPath, updatesite::UsageTextPath}) {
        server.Get(path, [state, path](const httplib::Request& request, httplib::Response& response) {
            ServeUncompressed(request);
            long hits = ++state->hits.at(path);
            response.set_header("Cache-Control", "no-cache");
            response.set_content(std::to_string(hits) + "\r\n", "text/plain");
        });
    }
    for (const char* path : {updatesite::CountPagePath, updatesite::VisitorPagePath}) {
        server.Get(path, [state, path](const httplib::Request& request, httplib::Response& response) {
            ServeUncompressed(request);
            long hits = ++state->hits.at(path);
            response.set_header("Cache-Control", "no-cache");
            response.set_content(updatesite::CounterPage(fs::path(path).stem().string(), std::to_string(hits)),
                                 "text/html; charset=utf-8");
        });
    }
    server.Get(updatesite::MtkanPagePath, [](const httplib::Request&, httplib::Response& response) {
        response.set_content(updatesite::CompanionPage(manifest::MtkanSection), "text/html; charset=utf-8");
    });
    server.Get(updatesite::QvodPagePath, [](const httplib::Request&, httplib::Response& response) {
        response.set_content(updatesite::CompanionPage(manifest::QvodSection), "text/html; charset=utf-8");
    });

    server.Post("/world/manifest", [state](const httplib::Request& request, httplib::Response& response) {
        ManifestOverride replacement{200, request.body, std::nullopt};
        if (request.get_param_value("signature") != "none") replacement.signature = state->signingKey.SignatureFileOf(request.body);
        if (request.has_param("status")) {
            const std::string status = request.get_param_value("status");
            if (status.size() != 3 || status.find_first_not_of("0123456789") != std::string::npos || status[0] == '0') {
                response.status = 400;
                response.set_content("status must be a three-digit HTTP status\n", "text/plain");
                return;
            }
            replacement.status = std::stoi(status);
        }
        std::lock_guard lock(state->mutex);
        state->manifestOverride = std::move(replacement);
        response.set_content("ok\n", "text/plain");
    });
    server.Post("/world/manifest/signature", [state](const httplib::Request& request, httplib::Response& response) {
        std::lock_guard lock(state->mutex);
        if (!state->manifestOverride) {
            response.status = 409;
            response.set_content("post a manifest first\n", "text/plain");
            return;
        }
        state->manifestOverride->signature = request.body;
        response.set_content("ok\n", "text/plain");
    });
    server.Post("/world/sign", [state](const httplib::Request& request, httplib::Response& response) {
        ServeUncompressed(request);
        response.set_content(state->signingKey.SignatureFileOf(request.body), "text/plain");
    });
    server.Post(R"(/world/files/([A-Za-z0-9._-]+))", [state](const httplib::Request& request, httplib::Response& response) {
        std::lock_guard lock(state->mutex);
        state->files[request.matches[1]] = request.body;
        response.set_content("ok\n", "text/plain");
    });
    server.Get(R"(/files/([A-Za-z0-9._-]+))", [state](const httplib::Request& request, httplib::Response& response) {
        ServeUncompressed(request);
        std::lock_guard lock(state->mutex);
        const auto file = state->files.find(request.matches[1]);
        if (file == state->files.end()) {
            response.status = 404;
            response.set_content("not posted\n", "text/plain");
            return;
        }
        response.set_content(file->second, "application/octet-stream");
    });
    server.Delete("/world/manifest", [state](const httplib::Request&, httplib::Response& response) {
        std::lock_guard lock(state->mutex);
        state->manifestOverride.reset();
        response.set_content("ok\n", "text/plain");
    });
    server.Get("/world/counters", [state](const httplib::Request& request, httplib::Response& response) {
        ServeUncompressed(request);
        std::string text;
        for (const auto& [path, hits] : state->hits) text += path + " " + std::to_string(hits.load()) + "\n";
        response.set_content(text, "text/plain");
    });
    server.Post("/world/counters/reset", [state](const httplib::Request&, httplib::Response& response) {
        for (auto& [path, hits] : state->hits) hits = 0;
        response.set_content("ok\n", "text/plain");
    });
    return true;
}

}  // namespace qivyun::devserver
