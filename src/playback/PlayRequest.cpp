#include "playback/PlayRequest.h"

#include "BuildConfig.h"

namespace qivyun {
namespace {

constexpr std::string_view KcplayRequestPrefix = "#!u=";
// "vq38" is the service's identifier of this program.
constexpr std::string_view MtkanListQuery = "&pay=&id=vq38_1&title=vq38_1&name=vq38_1&scrolling=no&frameBorder=0";
constexpr std::string_view MtkanTypedQuery = "&pay=&id=vq38_1&time=&skin=modieus&key=";

}  // namespace

PlayServices PlayServices::Configured() {
    return {config::MtkanPageAddress, config::MtkanAccessKey, config::KcplayPageAddress};
}

std::string PlayRequestAddress(PlayEngine engine, PlaySource source, std::string_view address,
                               const PlayServices& services) {
    std::string request;
    if (engine == PlayEngine::Kcplay) {
        request = services.kcplayPageAddress;
        request += KcplayRequestPrefix;
        request += address;
        return request;
    }
    request = services.mtkanPageAddress;
    request += "?url=";
    request += address;
    if (source == PlaySource::List) {
        request += MtkanListQuery;
    } else {
        request += MtkanTypedQuery;
        request += services.mtkanAccessKey;
    }
    return request;
}

bool IsPlayableTypedAddress(std::string_view address) {
    return address.substr(0, 4) == "ed2k" || address.substr(0, 6) == "magnet";
}

bool IsKcplayStartPage(std::string_view documentAddress, std::string_view kcplayPageAddress) {
    std::string startPage(kcplayPageAddress);
    startPage += KcplayRequestPrefix;
    return documentAddress.find(startPage) != std::string_view::npos;
}

PaneGeometry PlayPaneGeometry(PlayEngine engine, PlaySource source) {
    if (engine == PlayEngine::Mtkan) return {-1, -1, 960, 1280, 0, 86};
    // KCPlay's page head lies above the pane; a typed play sits one pixel lower.
    return {-1, -141, 980, 1360, -8, source == PlaySource::AddressBox ? 87 : 86};
}

}  // namespace qivyun
