#include "versioncheck/StartupStatus.h"

#include <gtest/gtest.h>

namespace qivyun {
namespace {

TEST(StartupStatus, LinesKeepTheirExactSpacing) {
    EXPECT_EQ(StartupFailureLine("ABC"),
              "   \xC1\xAC\xBD\xD3\xB5\xBD\xD4\xB6\xB3\xCC\xB7\xFE\xCE\xF1\xC6\xF7\xCA\xA7\xB0\xDC     "
              "\xB0\xE6\xB1\xBE" "MD5: ABC     \xC0\xDB\xBC\xC6\xB5\xE3\xB2\xA5\xB4\xCE\xCA\xFD:\xCE\xB4\xC4\xDC"
              "\xBB\xF1\xC8\xA1     This online: \xCE\xB4\xC4\xDC\xBB\xF1\xC8\xA1");
    EXPECT_EQ(StartupSuccessLine("ABC", "12", "7"),
              "   连接到远程服务器成功      版本Md5: ABC     Accumulative: 12     Usage counter: 7");
}

TEST(StartupStatus, CounterTextsLoseEveryCrLfPairAndNothingElse) {
    const std::pair<const char*, const char*> cases[] = {
        {"42\r\n", "42"},         {"4\r\n2\r\n", "42"}, {"\r\r\n\n", "\r\n"},
        {"lone\rcr\nlf", "lone\rcr\nlf"}, {"", ""},
    };
    for (const auto& [text, expected] : cases) EXPECT_EQ(RemoveCrLfPairs(text), expected) << text;
    EXPECT_EQ(StartupSuccessLine("D", "1\r\n", "2\r\n"), "   连接到远程服务器成功      版本Md5: D     Accumulative: 1     Usage counter: 2");
}

TEST(StartupStatus, UpdateNoticeShowsTheManifestDigestInUpperCase) {
    EXPECT_EQ(UpdateNoticeText("0cc175b9c0f1b6a831c399e269772661"),
              "有新版本需要更新！ 版本MD5值:0CC175B9C0F1B6A831C399E269772661");
}

}  // namespace
}  // namespace qivyun
