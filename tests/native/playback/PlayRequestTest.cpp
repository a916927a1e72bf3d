#include "playback/PlayRequest.h"

#include <gtest/gtest.h>

namespace qivyun {
namespace {

const PlayServices Services{"http://mt.example:8021/xinyun/pt/kuaijin.php", "K0123456789abcdefghijABCDEFGHIJ",
                            "http://kc.example:8022/"};

TEST(PlayRequestTest, EachEngineAndSourceComposesItsAddressWithThePlayAddressVerbatim) {
    const std::string magnet = "magnet:?xt=urn:btih:0123456789ABCDEF0123456789ABCDEF01234567&dn=a b&tr=udp://x#frag";
    const std::string hash = "0123456789ABCDEF0123456789ABCDEF01234567";
    const std::string padded = " ed2k://|file|名字.mkv|123|ABC|/ ";
    struct Case {
        PlayEngine engine;
        PlaySource source;
        std::string address;
        std::string expected;
    } cases[] = {
        {PlayEngine::Mtkan, PlaySource::List, magnet,
         "http://mt.example:8021/xinyun/pt/kuaijin.php?url=" + magnet +
             "&pay=&id=vq38_1&title=vq38_1&name=vq38_1&scrolling=no&frameBorder=0"},
        {PlayEngine::Mtkan, PlaySource::AddressBox, magnet,
         "http://mt.example:8021/xinyun/pt/kuaijin.php?url=" + magnet +
             "&pay=&id=vq38_1&time=&skin=modieus&key=K0123456789abcdefghijABCDEFGHIJ"},
        {PlayEngine::Mtkan, PlaySource::List, hash,
         "http://mt.example:8021/xinyun/pt/kuaijin.php?url=" + hash +
             "&pay=&id=vq38_1&title=vq38_1&name=vq38_1&scrolling=no&frameBorder=0"},
        {PlayEngine::Kcplay, PlaySource::List, hash, "http://kc.example:8022/#!u=" + hash},
        {PlayEngine::Kcplay, PlaySource::AddressBox, magnet, "http://kc.example:8022/#!u=" + magnet},
        {PlayEngine::Kcplay, PlaySource::List, padded, "http://kc.example:8022/#!u=" + padded},
        {PlayEngine::Mtkan, PlaySource::AddressBox, "ed2k",
         "http://mt.example:8021/xinyun/pt/kuaijin.php?url=ed2k&pay=&id=vq38_1&time=&skin=modieus&key="
         "K0123456789abcdefghijABCDEFGHIJ"},
    };
    for (const Case& c : cases) EXPECT_EQ(PlayRequestAddress(c.engine, c.source, c.address, Services), c.expected);
}

TEST(PlayRequestTest, ConfiguredServicesHaveTheFixedPathsAndAThirtyCharacterKey) {
    PlayServices configured = PlayServices::Configured();
    EXPECT_NE(configured.mtkanPageAddress.find("/xinyun/pt/kuaijin.php"), std::string::npos);
    EXPECT_EQ(configured.mtkanPageAddress.rfind("http://", 0), 0u);
    EXPECT_EQ(configured.kcplayPageAddress.back(), '/');
    ASSERT_EQ(configured.mtkanAccessKey.size(), 30u);
    for (char c : configured.mtkanAccessKey) EXPECT_TRUE(isalnum(static_cast<unsigned char>(c))) << c;
}

TEST(PlayRequestTest, OnlyTypedAddressesStartingWithEd2kOrMagnetArePlayed) {
    const std::pair<const char*, bool> cases[] = {
        {"ed2k://|file|a.mkv|1|00|/", true},
        {"magnet:?xt=urn:btih:00", true},
        {"ed2k", true},
        {"magnet", true},
        {"ed2", false},
        {"magne", false},
        {"", false},
        {"Ed2k://|file|a.mkv|1|00|/", false},
        {"MAGNET:?xt=urn:btih:00", false},
        {" ed2k://|file|a.mkv|1|00|/", false},
        {"thunder://QUFodHRwOi8vYS5ta3ZaWg==", false},
        {"http://example.com/a.mkv", false},
        {"ftp://example.com/a.mkv", false},
        {"0123456789ABCDEF0123456789ABCDEF01234567", false},
        {"在此输入视频连接地址(thunder、http、ftp、ed2k、magnet、xplan、bt、Hash)", false},
    };
    for (const auto& [address, playable] : cases) EXPECT_EQ(IsPlayableTypedAddress(address), playable) << address;
}

TEST(PlayRequestTest, KcplayStartPageIsRecognisedByItsRequestPrefixAnywhereInTheAddress) {
    const std::pair<const char*, bool> cases[] = {
        {"http://kc.example:8022/#!u=ed2k://|file|a|1|0|/", true},
        {"http://kc.example:8022/#!u=", true},
        {"res://ieframe.dll/navcancl.htm#http://kc.example:8022/#!u=x", true},
        {"http://kc.example:8022/", false},
        {"http://kc.example:8022/play?u=x", false},
        {"http://other.example/#!u=x", false},
        {"", false},
    };
    for (const auto& [address, startPage] : cases)
        EXPECT_EQ(IsKcplayStartPage(address, "http://kc.example:8022/"), startPage) << address;
}

TEST(PlayRequestTest, PaneGeometryPerEngineAndSource) {
    struct Case {
        PaneGeometry actual;
        PaneGeometry expected;
    } cases[] = {
        {PlayPaneGeometry(PlayEngine::Mtkan, PlaySource::List), {-1, -1, 960, 1280, 0, 86}},
        {PlayPaneGeometry(PlayEngine::Mtkan, PlaySource::AddressBox), {-1, -1, 960, 1280, 0, 86}},
        {PlayPaneGeometry(PlayEngine::Kcplay, PlaySource::List), {-1, -141, 980, 1360, -8, 86}},
        {PlayPaneGeometry(PlayEngine::Kcplay, PlaySource::AddressBox), {-1, -141, 980, 1360, -8, 87}},
        {LiveTvPaneGeometry, {-2, -3, 980, 1360, -5, 86}},
        {RadioPaneGeometry, {-2, -9, 980, 535, 0, 86}},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.actual.browserX, c.expected.browserX);
        EXPECT_EQ(c.actual.browserY, c.expected.browserY);
        EXPECT_EQ(c.actual.browserWidth, c.expected.browserWidth);
        EXPECT_EQ(c.actual.browserHeight, c.expected.browserHeight);
        EXPECT_EQ(c.actual.paneLeftOffset, c.expected.paneLeftOffset);
        EXPECT_EQ(c.actual.paneTopOffset, c.expected.paneTopOffset);
    }
}

}  // namespace
}  // namespace qivyun
