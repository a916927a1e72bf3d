// qivyun play ENGINE SOURCE ADDRESS: the cloud-play page that plays an address.
#include "PlayCommands.h"

#include "SearchCommands.h"
#include "playback/PlayRequest.h"

#include <iostream>

namespace qivyun::tool {

int RunPlay(const Arguments& arguments) {
    static const char usage[] = "play mtkan|kcplay list|typed ADDRESS";
    if (arguments.size() != 3) return BadArguments(usage);
    const std::string& engineName = arguments[0];
    const std::string& sourceName = arguments[1];
    if ((engineName != "mtkan" && engineName != "kcplay") || (sourceName != "list" && sourceName != "typed"))
        return BadArguments(usage);
    const PlayEngine engine = engineName == "mtkan" ? PlayEngine::Mtkan : PlayEngine::Kcplay;
    const PlaySource source = sourceName == "list" ? PlaySource::List : PlaySource::AddressBox;
    const std::string& address = arguments[2];
    if (source == PlaySource::AddressBox && !IsPlayableTypedAddress(address)) {
        std::cerr << "qivyun play: a typed address must start with ed2k or magnet\n";
        return 1;
    }
    if (address.empty()) {
        std::cerr << "qivyun play: no address\n";
        return 1;
    }
    std::cout << PlayRequestAddress(engine, source, address) << "\n";
    return 0;
}

}  // namespace qivyun::tool
