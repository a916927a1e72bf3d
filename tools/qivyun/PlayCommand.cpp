// qivyun play ENGINE SOURCE ADDRESS: the cloud-play page that plays an address.
#include "PlayCommands.h"

#include "playback/PlayRequest.h"

#include <iostream>

namespace qivyun::tool {
namespace {

struct PlayOptions {
    std::string engine;  // lower case once read
    std::string source;
    std::string address;
};

int RunPlay(const PlayOptions& options) {
    const PlayEngine engine = options.engine == "mtkan" ? PlayEngine::Mtkan : PlayEngine::Kcplay;
    const PlaySource source = options.source == "list" ? PlaySource::List : PlaySource::AddressBox;
    if (source == PlaySource::AddressBox && !IsPlayableTypedAddress(options.address))
        return Complain("play", "a typed address must start with ed2k or magnet");
    if (options.address.empty()) return Complain("play", "no address");
    std::cout << PlayRequestAddress(engine, source, options.address) << "\n";
    return ExitDone;
}

}  // namespace

void AddPlayCommand(CommandTable& table) {
    auto options = std::make_shared<PlayOptions>();
    CLI::App& command = table.Add(
        table.Root(), "play", "Print the address of the cloud-play page the window opens to play an address",
        "qivyun play mtkan list 'magnet:?xt=urn:btih:0123456789ABCDEF0123456789ABCDEF01234567'",
        [options] { return RunPlay(*options); });
    command.add_option("ENGINE", options->engine, "The play service (any case)")
        ->required()
        ->transform(CLI::IsMember({"mtkan", "kcplay"}, CLI::ignore_case));
    command.add_option("SOURCE", options->source, "A row of the result list, or the address box (any case)")
        ->required()
        ->transform(CLI::IsMember({"list", "typed"}, CLI::ignore_case));
    command.add_option("ADDRESS", options->address, "The ed2k link, magnet link or info-hash, as it stands")->required();
}

}  // namespace qivyun::tool
