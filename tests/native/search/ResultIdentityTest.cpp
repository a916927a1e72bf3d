#include "search/ResultIdentity.h"

#include <gtest/gtest.h>

namespace qivyun {
namespace {

TEST(ResultIdentity, OneFileHoweverTheSitesWriteItsHash) {
    const std::string hex = "0123456789ABCDEF0123456789ABCDEF01234567";
    const std::string lower = "0123456789abcdef0123456789abcdef01234567";
    const std::string base32 = "AERUKZ4JVPG66AJDIVTYTK6N54ASGRLH";  // the same 20 bytes
    const std::string ed2k = "31D6CFE0D16AE931B73C59D7E0C089C0";
    const struct {
        std::string a, b;
        bool same;
    } cases[] = {
        {"magnet:?xt=urn:btih:" + hex + "&dn=Film", lower, true},
        {"MAGNET:?dn=x&XT=URN:BTIH:" + base32, "magnet:?xt=urn:btih:" + lower, true},
        {"magnet:?xt=urn:btih:" + base32.substr(0, 31) + "Q", lower, false},
        {"ed2k://|file|Film.mkv|734003200|" + ed2k + "|/", "Ed2k://|File|Other name.avi|1|31d6cfe0d16ae931b73c59d7e0c089c0|h=X|/", true},
        {"magnet:?xt=urn:ed2k:" + ed2k + "&dn=Film", "ed2k://|file|Film.mkv|1|" + ed2k + "|/", true},
        {"ed2k://|file|Film.mkv|1|" + ed2k + "|/", "ed2k://|file|Film.mkv|1|" + ed2k.substr(1) + "0|/", false},
        // not a hash: only the same address is the same file
        {lower.substr(1), lower.substr(1), true},
        {lower.substr(1), lower, false},
        {"ed2k://|server|1.2.3.4|4661|/", "ed2k://|server|1.2.3.4|4661|/", true},
        {"magnet:?xt=urn:btih:short", "magnet:?xt=urn:btih:SHORT", false},
    };
    for (const auto& c : cases) EXPECT_EQ(ResultIdentity(c.a) == ResultIdentity(c.b), c.same) << c.a << " / " << c.b;
    EXPECT_EQ(ResultIdentity("magnet:?xt=urn:btih:" + base32), "btih:" + lower);
    EXPECT_EQ(ResultIdentity(""), "");
}

TEST(ResultIdentity, TotalCountIsTheFirstNumberOfTheTotalText) {
    const std::pair<std::string, std::optional<long long>> cases[] = {
        {"23", 23},          {"23 ", 23},        {"1,234", 1234},       {"相关 42个 共3页", 42},
        {"12,", 12},         {"不支持获取", {}}, {"未知", {}},          {"", {}},
        {std::string(18, '9'), 999999999999999999}, {std::string(19, '1'), {}},
    };
    for (const auto& [text, count] : cases) EXPECT_EQ(TotalCount(text), count) << text;
}

}  // namespace
}  // namespace qivyun
