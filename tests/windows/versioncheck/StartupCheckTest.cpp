#include "versioncheck/StartupCheck.h"

#include "../support/Http.h"
#include "../support/Pump.h"
#include "../support/ScratchFolder.h"
#include "../support/SystemCallRecorder.h"
#include "BuildConfig.h"
#include "common/CodePage.h"
#include "controls/WaitingPopupIds.h"
#include "framework/Dialog.h"
#include "versioncheck/Manifest.h"
#include "versioncheck/ManifestCheck.h"
#include "versioncheck/Md5.h"
#include "versioncheck/StartupStatus.h"

#include <gtest/gtest.h>

#include <atomic>
#include <optional>
#include <thread>

namespace qivyun {
namespace {

const std::string Server = config::UpdateServerAddress;

// A window for the check to reach, recording what it is asked to do.
class CheckWindow : public DialogImpl<CheckWindow> {
public:
    CheckWindow() : DialogImpl(IDD_WAITING_POPUP) {}
    static const MessageMap<CheckWindow> messages;

    StartupCheckWindow Hooks() {
        return {Gate(), [this](const std::string& a) { requests.push_back("visitor " + a); },
                [this](const std::string& a) { requests.push_back("count " + a); },
                [this](const std::string& t) { statusLines.push_back(t); }};
    }
    std::vector<std::string> requests;
    std::vector<std::string> statusLines;
};
const MessageMap<CheckWindow> CheckWindow::messages = {};

// The program, the manifest's copy and the serial's record lie in a folder whose name neither GBK
// nor the system's code page can hold: the check reads and writes them by their UTF-16 names.
class StartupCheckTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(window.Create(nullptr));
        settings.manifestPath = folder / "qivyun-check-manifest.ini";
        settings.ownPath = folder / "qivyun-check-program.exe";
        settings.updaterPath = folder / "QivYunUpdate.exe";
        settings.manifestAddress = Server + ManifestServerPath;
        settings.appliedSerialPath = folder / "qivyun-check-serial.txt";
        test::WriteFileBytes(settings.ownPath, "a");  // MD5 of "a": 0cc175b9c0f1b6a831c399e269772661
        test::HttpRequest("POST", Server + "/world/counters/reset");
    }
    void TearDown() override { test::HttpRequest("DELETE", Server + "/world/manifest"); }

    // A manifest of this build's release, which the world serves signed (unless asked otherwise).
    static std::string Manifest(const std::string& playerDigest, const std::string& usageTextAddress) {
        return "[Release]\r\nserial=" + std::to_string(config::ReleaseSerial) + "\r\n[QivYunPlay]\r\nmd5=" + playerDigest +
               "\r\n[Count]\r\nCountAsp=" + Server + "/QivYun/Count.html\r\nCountrenAsp=" + Server +
               "/QivYun/CountRen.html\r\nAcounTxt=" + Server + "/QivYun/Acoun.txt\r\nAcounRenTxt=" + usageTextAddress + "\r\n";
    }
    void ServeManifest(const std::string& playerDigest, const std::string& usageTextAddress, const char* query = "") {
        int status = 0;
        test::HttpRequest("POST", Server + "/world/manifest" + query, Manifest(playerDigest, usageTextAddress), &status);
        ASSERT_EQ(status, 200);
    }

    test::ScratchFolder folder{std::string("qivyun-check ") + test::NameGbkCannotHold};
    CheckWindow window;
    StartupCheckSettings settings;
};

TEST_F(StartupCheckTest, UnreachableServerGivesTheFailureLineWithTheOwnDigest) {
    settings.manifestAddress = "http://127.0.0.1:9/QivYun/QivYunUpdate.txt";
    test::SystemCallRecorder recorder;
    EXPECT_EQ(StartupCheck(window.Hooks(), settings), 1u);
    const std::string expected =
        "   连接到远程服务器失败     版本MD5: 0CC175B9C0F1B6A831C399E269772661     累计点播次数:未能获取     This online: 未能获取";
    ASSERT_EQ(window.statusLines.size(), 1u);
    EXPECT_EQ(window.statusLines[0], expected);
    EXPECT_TRUE(window.requests.empty());
    EXPECT_TRUE(recorder.messageBoxes.empty());
    EXPECT_TRUE(recorder.shellOpens.empty());
}

TEST_F(StartupCheckTest, SameDigestInUpperCaseShowsCountersWithoutTheirLineBreaks) {
    // The usage counter points at a page longer than a counter text: only its first 100 bytes show.
    ServeManifest("0CC175B9C0F1B6A831C399E269772661", config::HomePageAddress);
    std::string page = test::HttpRequest("GET", config::HomePageAddress);
    ASSERT_GT(page.size(), 100u);
    test::SystemCallRecorder recorder;
    StartupCheck(window.Hooks(), settings);

    EXPECT_TRUE(recorder.messageBoxes.empty());
    EXPECT_EQ(window.requests, (std::vector<std::string>{"visitor " + Server + "/QivYun/CountRen.html",
                                                         "count " + Server + "/QivYun/Count.html"}));
    ASSERT_EQ(window.statusLines.size(), 1u);
    // The accumulative counter's body is "1\r\n": its first hit since the reset.
    EXPECT_EQ(window.statusLines[0], "   连接到远程服务器成功      版本Md5: 0CC175B9C0F1B6A831C399E269772661     Accumulative: 1"
                                     "     Usage counter: " + RemoveCrLfPairs(page.substr(0, 100)));
    // The manifest was downloaded to its local place.
    EXPECT_NE(test::ReadFileBytes(settings.manifestPath).find("md5=0CC175B9C0F1B6A831C399E269772661"), std::string::npos);
}

TEST_F(StartupCheckTest, OtherDigestTellsTheUserStartsTheUpdaterAndEnds) {
    ServeManifest("9e107d9d372bb6826bd81d3542a419d6", Server + "/QivYun/AcounRen.txt");
    test::SystemCallRecorder recorder;
    // As at start-up: the check runs on a worker beside the window's thread.
    std::optional<UINT> ended;
    std::atomic<bool> done{false};
    std::thread worker([&] {
        try {
            StartupCheck(window.Hooks(), settings);
        } catch (const test::ProcessEnded& end) {
            ended = end.exitCode;
        }
        done = true;
    });
    test::PumpUntil([&] { return done.load(); }, 20000);
    worker.join();
    ASSERT_TRUE(ended) << "the program went on with an outdated version";
    EXPECT_EQ(*ended, 0u);
    ASSERT_EQ(recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(recorder.messageBoxes[0].text, "有新版本需要更新！ 版本MD5值:9E107D9D372BB6826BD81D3542A419D6");
    EXPECT_EQ(recorder.messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONINFORMATION));
    // Shown by the window's thread, whose message boxes the skin engine skins.
    EXPECT_EQ(recorder.messageBoxes[0].thread, GetCurrentThreadId());
    ASSERT_EQ(recorder.shellOpens.size(), 1u);
    EXPECT_EQ(recorder.shellOpens[0].file, WideFromUtf8(settings.updaterPath));
    EXPECT_EQ(recorder.shellOpens[0].parameters, L"");
    EXPECT_EQ(recorder.shellOpens[0].showCommand, SW_SHOW);
    EXPECT_TRUE(window.statusLines.empty());
    // The text counters are not fetched on this path.
    std::string hits = test::HttpRequest("GET", Server + "/world/counters");
    EXPECT_EQ(hits.find("/QivYun/Acoun.txt 1"), std::string::npos) << hits;
}

// A manifest that names a new version but fails its check starts nothing and loads no counter:
// forged with the honest signature beside it, forged without one, or signed but older than the
// release this installation applied.
TEST_F(StartupCheckTest, ManifestThatFailsItsCheckStartsNothing) {
    const std::string honest = Manifest("0cc175b9c0f1b6a831c399e269772661", Server + "/QivYun/AcounRen.txt");
    const std::string honestSignature = test::HttpRequest("POST", Server + "/world/sign", honest);
    const struct {
        const char* what;
        const char* query;
        bool honestSignatureBeside;
        long long appliedSerial;
        std::string message;
    } cases[] = {
        {"forged, with the honest signature", "", true, 0, "更新信息签名无效，已停止更新。"},
        {"forged, without a signature", "?signature=none", false, 0, "更新信息未签名，已停止更新。"},
        {"signed, but older", "", false, config::ReleaseSerial + 1, "更新信息版本较旧，已停止更新。"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        ServeManifest("9e107d9d372bb6826bd81d3542a419d6", Server + "/QivYun/AcounRen.txt", c.query);
        if (c.honestSignatureBeside) test::HttpRequest("POST", Server + "/world/manifest/signature", honestSignature);
        test::WriteFileBytes(settings.appliedSerialPath, AppliedSerialText(c.appliedSerial));
        window.requests.clear();
        window.statusLines.clear();
        test::SystemCallRecorder recorder;
        EXPECT_EQ(StartupCheck(window.Hooks(), settings), 1u);
        ASSERT_EQ(recorder.messageBoxes.size(), 1u);
        EXPECT_EQ(recorder.messageBoxes[0].text, c.message);
        EXPECT_EQ(recorder.messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
        EXPECT_TRUE(recorder.shellOpens.empty());
        EXPECT_TRUE(window.requests.empty());
        EXPECT_EQ(window.statusLines, std::vector<std::string>{"更新信息无法验证"});
    }
}

TEST(FetchUrlText, FirstHundredBytesOrNothing) {
    EXPECT_EQ(FetchUrlText("http://127.0.0.1:9/none"), "");
    std::string page = test::HttpRequest("GET", config::HomePageAddress);
    ASSERT_GT(page.size(), 100u);
    EXPECT_EQ(FetchUrlText(config::HomePageAddress), page.substr(0, 100));
}

}  // namespace
}  // namespace qivyun

namespace qivyun {
namespace {

// The published folder behind nginx announces the digest of the very program it publishes.
TEST(StartupCheckBehindNginx, PublishedProgramCountsAsCurrentAndShowsTheCounters) {
    const std::string server = "http://127.0.0.1:" + std::to_string(QIVYUN_NGINX_PORT);
    char folder[MAX_PATH];
    GetTempPathA(MAX_PATH, folder);
    StartupCheckSettings settings{server + ManifestServerPath, std::string(folder) + "qivyun-nginx-manifest.ini",
                                  QIVYUN_PUBLISHED_PLAYER, "C:\\nowhere\\QivYunUpdate.exe"};
    std::string digest = ComputeFileMd5(settings.ownPath);
    ASSERT_EQ(digest.size(), 32u);

    CheckWindow window;
    ASSERT_TRUE(window.Create(nullptr));
    test::SystemCallRecorder recorder;
    StartupCheck(window.Hooks(), settings);

    EXPECT_TRUE(recorder.messageBoxes.empty());
    EXPECT_TRUE(recorder.shellOpens.empty());
    EXPECT_EQ(window.requests, (std::vector<std::string>{"visitor " + server + "/QivYun/CountRen.html",
                                                         "count " + server + "/QivYun/Count.html"}));
    ASSERT_EQ(window.statusLines.size(), 1u);
    EXPECT_EQ(window.statusLines[0], "   连接到远程服务器成功      版本Md5: " + UpperCaseDigest(digest) +
                                         "     Accumulative: 0     Usage counter: 0");
    DeleteFileA(settings.manifestPath.c_str());
}

}  // namespace
}  // namespace qivyun
