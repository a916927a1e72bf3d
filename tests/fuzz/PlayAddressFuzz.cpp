// Fuzz target: which typed addresses are played, and the cloud-play page addresses built from any
// address.
//   byte 0      engine (bit 0) and source (bit 1)
//   the rest    the address
#include "playback/PlayRequest.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace qivyun;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const PlayEngine engine = data[0] & 1 ? PlayEngine::Kcplay : PlayEngine::Mtkan;
    const PlaySource source = data[0] & 2 ? PlaySource::AddressBox : PlaySource::List;
    const std::string_view address(reinterpret_cast<const char*>(data + 1), size - 1);

    const bool playable = IsPlayableTypedAddress(address);
    const bool expected = address.substr(0, 4) == "ed2k" || address.substr(0, 6) == "magnet";
    if (playable != expected) __builtin_trap();

    // The address goes in verbatim, right after the service's query part.
    const PlayServices services{"http://mtkan.test/xinyun/pt/kuaijin.php", "0123456789abcdefghijABCDEFGHIJ",
                                "http://kcplay.test/"};
    const std::string request = PlayRequestAddress(engine, source, address, services);
    const std::string head = engine == PlayEngine::Kcplay ? services.kcplayPageAddress + "#!u="
                                                          : services.mtkanPageAddress + "?url=";
    if (request.compare(0, head.size(), head) != 0) __builtin_trap();
    if (request.compare(head.size(), address.size(), address) != 0) __builtin_trap();
    if (engine == PlayEngine::Kcplay) {
        if (request.size() != head.size() + address.size()) __builtin_trap();
        if (!IsKcplayStartPage(request, services.kcplayPageAddress)) __builtin_trap();
    } else if (source == PlaySource::AddressBox) {
        const std::string tail = "&key=" + services.mtkanAccessKey;
        if (request.compare(request.size() - tail.size(), tail.size(), tail) != 0) __builtin_trap();
    }
    return 0;
}
