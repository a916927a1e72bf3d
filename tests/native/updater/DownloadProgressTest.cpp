// The updater's progress figures from the downloader's counters.
#include "updater/DownloadProgress.h"

#include <gtest/gtest.h>

namespace qivyun {
namespace {

TEST(DownloadProgressTest, FiguresOfATick) {
    struct Case {
        std::uint32_t elapsed;
        std::int64_t total;
        std::int32_t permille;
        std::int64_t received;
        const char* percent;
        const char* speed;
        const char* amount;
        bool reached;
    };
    const Case cases[] = {
        // the speed is the units received per second
        {30, 1200 * 1024, 1000, 300 * 1024, "25%", "100.00", "300/1200  Kbit", false},
        {15, 4000 * 1024, 2000, 150 * 1024, "50%", "100.00", "150/4000  Kbit", false},
        {ElapsedTenths(1550, 0), 4000 * 1024, 2000, 150 * 1024, "50%", "100.00", "150/4000  Kbit", false},
        {7, 1000 * 1024, 3999, 1000 * 1024 - 1, "99%", "1427.14", "999/1000  Kbit", false},
        {1, 500, 0, 0, "0%", "0.00", "0/0  Kbit", true},  // smaller than a unit: complete at the first tick
        {1, 0, 0, 0, "0%", "0.00", "0/0  Kbit", true},    // a probe that failed
        {0, 2048, 100, 2048, "2%", "0.00", "2/2  Kbit", true},
        // sizes past 4 GiB
        {10, (5ll << 30) + 1023, 3999, (5ll << 30) - 1, "99%", "5242879.00", "5242879/5242880  Kbit", false},
    };
    for (const Case& c : cases) {
        const ProgressFigures figures = ComputeProgress(c.elapsed, c.total, c.permille, c.received, "QivYunPlay.exe");
        EXPECT_EQ(figures.position, c.permille);
        EXPECT_EQ(figures.percentText, c.percent);
        EXPECT_EQ(figures.speedText, c.speed);
        EXPECT_EQ(figures.amountText, c.amount);
        EXPECT_EQ(figures.reachedTotal, c.reached) << c.amount;
        EXPECT_EQ(figures.speedLine, "下载速度: " + figures.speedText + " Kbps/秒" + std::string(34, ' ') + c.amount);
        EXPECT_EQ(figures.statusLine, std::string("正在更新 QivYunPlay.exe 请稍后..........") + c.percent);
    }
}

TEST(DownloadProgressTest, ElapsedIsTruncatedToTenthsAcrossTheTickWrap) {
    EXPECT_EQ(ElapsedTenths(1500, 0), 15u);
    EXPECT_EQ(ElapsedTenths(1599, 0), 15u);
    EXPECT_EQ(ElapsedTenths(50, 0xffffff00u), 3u);  // 306 ms across the wrap
}

TEST(DownloadProgressTest, FinishedLineShowsAHundredForEveryCompleteDownload) {
    EXPECT_EQ(FinishedStatusLine("QivYunPlay.exe", "99%", true), "QivYunPlay.exe 更新完成......100%");
    // one connection without ranges fills a quarter of the bar
    EXPECT_EQ(FinishedStatusLine("QivYunUpdate.ini", "25%", true), "QivYunUpdate.ini 更新完成......100%");
    EXPECT_EQ(FinishedStatusLine("a.exe", "0%", false), "a.exe 更新完成......0%");
    EXPECT_EQ(FinishedStatusLine("a.exe", "62%", false), "a.exe 更新完成......62%");
}

TEST(FileNameOfPath, LastComponentWithOrWithoutExtension) {
    EXPECT_EQ(FileNameOfPath("C:\\a\\QivYunPlay.exe", true), "QivYunPlay.exe");
    EXPECT_EQ(FileNameOfPath("C:\\a\\QivYunPlay.exe", false), "QivYunPlay");
    EXPECT_EQ(FileNameOfPath("/tmp/x/QivYunUpdate.ini", true), "QivYunUpdate.ini");
    EXPECT_EQ(FileNameOfPath("plain", true), "plain");
}

}  // namespace
}  // namespace qivyun
