#pragma once
// The cloud-play services' request addresses and the geometry of the browser panes. No window
// code here: the main window, the command-line tool and the tests share it.
#include <string>
#include <string_view>

namespace qivyun {

enum class PlayEngine { Mtkan, Kcplay };
// Where the address to play came from: a row of the result list or the play panel's address box.
enum class PlaySource { List, AddressBox };

// The services' addresses and the MTkan access key; the build's configuration by default.
struct PlayServices {
    std::string mtkanPageAddress;
    std::string mtkanAccessKey;
    std::string kcplayPageAddress;

    static PlayServices Configured();
};

// The service page that plays the address. The address goes in verbatim: no encoding, no trimming.
std::string PlayRequestAddress(PlayEngine engine, PlaySource source, std::string_view address,
                               const PlayServices& services = PlayServices::Configured());

// A typed address is played only when it starts with "ed2k" or "magnet", compared byte for byte.
bool IsPlayableTypedAddress(std::string_view address);

// The KCPlay start page with its request prefix: a document of this address leaves the pane blank.
bool IsKcplayStartPage(std::string_view documentAddress, std::string_view kcplayPageAddress);

// The browser control's place inside its pane, and the pane's offset from the main window's client
// area (its right and bottom edges are the client area's).
struct PaneGeometry {
    int browserX, browserY, browserWidth, browserHeight;
    int paneLeftOffset, paneTopOffset;
};

PaneGeometry PlayPaneGeometry(PlayEngine engine, PlaySource source);
inline constexpr PaneGeometry LiveTvPaneGeometry{-2, -3, 980, 1360, -5, 86};
inline constexpr PaneGeometry RadioPaneGeometry{-2, -9, 980, 535, 0, 86};

}  // namespace qivyun
