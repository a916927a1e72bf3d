// QivYunUpdate's window, worker and self-replacement in-process, against the test world's download
// modes: the main program outdated, the updater outdated, everything current, a download that
// breaks off, is interrupted and continued, or is not the manifest's, an unsigned manifest, a copy
// started elsewhere and a second copy.
#include "updater/UpdaterDialog.h"

#include "../support/Http.h"
#include "../support/Pump.h"
#include "../support/ScratchFolder.h"
#include "../support/WindowCapture.h"
#include "BuildConfig.h"
#include "common/CodePage.h"
#include "updater/UpdaterResourceIds.h"
#include "framework/SystemCalls.h"
#include "skin/SkinEngine.h"
#include "skin/engine/SkinProperties.h"
#include "versioncheck/Manifest.h"
#include "versioncheck/ManifestCheck.h"
#include "versioncheck/Md5.h"

#include <commctrl.h>
#include <winsock2.h>

#include <gtest/gtest.h>

#include <memory>

namespace qivyun {
namespace {

const std::string World = config::UpdateServerAddress;

// Records the calls that would block or end the run; ending the process returns, as the updater
// never goes on after it.
struct Recorded {
    std::vector<std::string> messages;
    std::vector<UINT> messageTypes;
    std::vector<std::string> opened;
    std::vector<int> showCommands;
    int ends = 0;
};
Recorded* recorded = nullptr;

class RecordingCalls {
public:
    RecordingCalls() : saved(CurrentSystemCalls()) {
        recorded = &calls;
        CurrentSystemCalls() = SystemCalls{
            [](HWND, const char* text, const char*, UINT type) {
                recorded->messages.push_back(text);
                recorded->messageTypes.push_back(type);
                return IDOK;
            },
            [](HWND, const wchar_t* file, const wchar_t*, int show) {
                recorded->opened.push_back(Utf8FromWide(file));
                recorded->showCommands.push_back(show);
                return reinterpret_cast<HINSTANCE>(42);
            },
            [](UINT) { ++recorded->ends; }};
    }
    ~RecordingCalls() {
        CurrentSystemCalls() = saved;
        recorded = nullptr;
    }
    Recorded calls;

private:
    SystemCalls saved;
};

std::string ReadFile(const std::string& path) { return test::ReadFileBytes(path); }
void WriteFile(const std::string& path, const std::string& content) { test::WriteFileBytes(path, content); }

std::string DigestOf(const std::string& bytes) {
    Md5Context context;
    Md5Init(context);
    Md5Update(context, bytes.data(), bytes.size());
    Md5Digest digest{};
    Md5Final(context, digest);
    return Md5Text(digest);
}

// The lines of a program's section for the bytes served at an address.
std::string ProgramLines(const std::string& bytes, const std::string& url) {
    Sha256Digest sha256{};
    ComputeSha256(bytes, sha256);
    return "md5=" + DigestOf(bytes) + "\r\nsha256=" + HexText(sha256.data(), sha256.size()) + "\r\nurl=" + url + "\r\n";
}

// The updater runs from a folder whose name neither GBK nor the system's code page can hold.
class UpdaterTest : public ::testing::Test {
protected:
    void SetUp() override {
        settings = {scratch / "QivYunUpdate.exe", folder, scratch / "QivYunUpdate.ini", World + "/QivYun/QivYunUpdate.txt"};
        WriteFile(settings.ownPath, "the running updater");
        WriteFile(folder + "\\QivYunPlay.exe", "the old main program");
    }

    bool Exists(const char* name) const { return test::FileExists(scratch / name); }

    // The bytes the world serves under a mode path, and their digest.
    std::string Served(const std::string& mode) {
        int status = 0;
        const std::string bytes = test::HttpRequest("GET", World + mode, {}, &status);
        EXPECT_EQ(status, 200) << mode;
        return bytes;
    }

    // A manifest of this build's release, with the signature beside it that the test world's key made.
    void WriteManifest(const std::string& text) {
        const std::string manifest = "[Release]\r\nserial=" + std::to_string(config::ReleaseSerial) + "\r\n" + text;
        WriteFile(settings.manifestPath, manifest);
        WriteFile(SignatureLocationOf(settings.manifestPath), test::HttpRequest("POST", World + "/world/sign", manifest));
    }

    // Runs the window until the run ends the process (or the time is up).
    void RunUpdater(RecordingCalls& calls, DWORD timeoutMs = 20000, const char* screenshot = nullptr) {
        UpdaterDialog dialog(settings);
        ASSERT_TRUE(dialog.Create(nullptr));
        bool shot = false;
        test::PumpUntil(
            [&] {
                if (screenshot && !shot && dialog.StatusLine().rfind("正在更新", 0) == 0 &&
                    dialog.Downloader().ReceivedSum() > 0) {
                    shot = test::SaveWindowPng(dialog.Handle(), test::ScreensFolder() + "/" + screenshot);
                }
                return calls.calls.ends > 0;
            },
            timeoutMs);
        if (screenshot) {
            EXPECT_TRUE(shot) << "no picture of the window while it downloads";
        }
        controlsExamined = true;
        for (HWND child = GetWindow(dialog.Handle(), GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT))
            controlsExamined &= GetPropA(child, skin::ExaminedProperty) != nullptr;
        finalStatus = dialog.ItemText(IDC_STATUS_LINE);
        finalPosition = static_cast<int>(SendDlgItemMessageW(dialog.Handle(), IDC_PROGRESS, PBM_GETPOS, 0, 0));
        RECT window = dialog.WindowRect();
        windowSize = {window.right - window.left, window.bottom - window.top};
        windowCaption = dialog.Text();
        dialog.Destroy();
    }

    test::ScratchFolder scratch{std::string("qivyun-updater ") + test::NameGbkCannotHold + " " +
                                ::testing::UnitTest::GetInstance()->current_test_info()->name()};
    const std::string folder = scratch.Path();
    UpdaterSettings settings;
    std::string finalStatus;
    int finalPosition = 0;
    SIZE windowSize{};
    std::string windowCaption;
    bool controlsExamined = false;
};

TEST_F(UpdaterTest, OutdatedMainProgramIsDownloadedCheckedAndStarted) {
    const std::string fresh = Served("/modes/slow/600000");
    WriteManifest("[QivYunPlay]\r\n" + ProgramLines(fresh, World + "/modes/slow/600000"));
    RecordingCalls calls;
    RunUpdater(calls, 30000, "updater-window.png");

    EXPECT_TRUE(ReadFile(folder + "\\QivYunPlay.exe") == fresh);
    EXPECT_EQ(ReadFile(folder + "\\QivYunSerial.txt"), std::to_string(config::ReleaseSerial) + "\r\n")
        << "the installation records the release it applied";
    EXPECT_EQ(calls.calls.opened, std::vector<std::string>{folder + "\\QivYunPlay.exe"});
    EXPECT_EQ(calls.calls.showCommands, std::vector<int>{SW_SHOW});
    EXPECT_EQ(calls.calls.ends, 1);
    EXPECT_TRUE(calls.calls.messages.empty());
    EXPECT_EQ(finalStatus, "QivYunPlay.exe 更新完成......100%");
    EXPECT_EQ(finalPosition, 4000);
    EXPECT_EQ(windowSize.cx, 500);
    EXPECT_EQ(windowSize.cy, 200);
    EXPECT_EQ(windowCaption, "Qiv云播自动更新");
    // The initialisation loaded the updater's skin, and the engine has looked at every control.
    EXPECT_TRUE(skin::SkinEngine::Current()->SkinLoaded());
    EXPECT_TRUE(controlsExamined);
}

// A server that ignores ranges fills a quarter of the bar over one connection; the finished line
// still says 100%.
TEST_F(UpdaterTest, DownloadWithoutRangesEndsAtAHundredPercent) {
    const std::string fresh = Served("/modes/norange/300000");
    WriteManifest("[QivYunPlay]\r\n" + ProgramLines(fresh, World + "/modes/norange/300000"));
    RecordingCalls calls;
    RunUpdater(calls);
    EXPECT_TRUE(ReadFile(folder + "\\QivYunPlay.exe") == fresh);
    EXPECT_EQ(finalStatus, "QivYunPlay.exe 更新完成......100%");
    EXPECT_EQ(finalPosition, 4000);
}

// A whole download that is not the program the manifest names (by its MD5, or by its SHA-256
// alone) never takes the old one's place: the update stops with its message, nothing is started
// and the side file is gone.
TEST_F(UpdaterTest, DownloadThatIsNotTheManifestsStopsTheUpdate) {
    const std::string served = Served("/modes/file/300000");
    const std::string url = World + "/modes/file/300000";
    std::string otherSha256 = ProgramLines(served, url);
    otherSha256[otherSha256.find("sha256=") + 7] ^= 0x01;
    for (const std::string& section : {ProgramLines("a main program that is not served", url), otherSha256}) {
        SCOPED_TRACE(section);
        WriteManifest("[QivYunPlay]\r\n" + section);
        RecordingCalls calls;
        RunUpdater(calls);
        EXPECT_EQ(ReadFile(folder + "\\QivYunPlay.exe"), "the old main program");
        EXPECT_FALSE(Exists("QivYunPlay.exe.new"));
        EXPECT_TRUE(calls.calls.opened.empty());
        EXPECT_EQ(calls.calls.messages, std::vector<std::string>{DownloadMismatchText});
        EXPECT_EQ(calls.calls.messageTypes, std::vector<UINT>{MB_OK | MB_ICONWARNING});
        EXPECT_EQ(calls.calls.ends, 1);
        EXPECT_FALSE(Exists("QivYunSerial.txt"));
    }
}

// A downloaded updater copy runs only when it is the manifest's updater; otherwise the update stops
// the same way, and no copy is left to run.
TEST_F(UpdaterTest, UpdaterCopyWithAnotherDigestIsNeverStarted) {
    WriteManifest("[QivYunUpdate]\r\n" + ProgramLines("an updater that is not served", World + "/modes/file/200000") +
                  "[QivYunPlay]\r\nmd5=" + DigestOf("the old main program") + "\r\n");
    RecordingCalls calls;
    RunUpdater(calls);
    EXPECT_TRUE(calls.calls.opened.empty());
    EXPECT_EQ(calls.calls.messages, std::vector<std::string>{DownloadMismatchText});
    EXPECT_EQ(calls.calls.ends, 1);
    EXPECT_FALSE(Exists("QivYunUpdate_Tmp.exe"));
    EXPECT_FALSE(Exists("QivYunUpdate_Tmp.exe.new"));
    EXPECT_FALSE(Exists("QivYunUpdate_Tmp.exe.new.down.state")) << "a rejected download is never taken up again";
}

// A server that takes the connection and then says nothing ends the probe after the quiet time.
TEST_F(UpdaterTest, DownloaderGivesUpOnAServerThatNeverAnswers) {
    ASSERT_TRUE(StartSocketLayer());
    const SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    ASSERT_EQ(bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(listener, 4), 0);
    int length = sizeof address;
    getsockname(listener, reinterpret_cast<sockaddr*>(&address), &length);
    const std::string server = "127.0.0.1:" + std::to_string(ntohs(address.sin_port));
    SegmentedDownloader downloader;
    downloader.SetQuietTime(300);
    downloader.Start("http://" + server + "/QivYunPlay.exe", folder + "\\QivYunPlay.exe", {4, ".new"});
    closesocket(listener);
    EXPECT_EQ(downloader.Outcome(), DownloadOutcome::Idle);
    EXPECT_EQ(downloader.FailureCause(), "no reply from " + server + " within 300 ms");
    EXPECT_EQ(ReadFile(folder + "\\QivYunPlay.exe"), "the old main program");
    EXPECT_FALSE(Exists("QivYunPlay.exe.new"));
}

TEST_F(UpdaterTest, OutdatedUpdaterIsDownloadedToTheTemporaryCopyAndStarted) {
    const std::string fresh = Served("/modes/file/200000");
    WriteManifest("[QivYunUpdate]\r\n" + ProgramLines(fresh, World + "/modes/file/200000"));
    RecordingCalls calls;
    RunUpdater(calls);
    EXPECT_TRUE(ReadFile(folder + "\\QivYunUpdate_Tmp.exe") == fresh);
    EXPECT_EQ(calls.calls.opened, std::vector<std::string>{folder + "\\QivYunUpdate_Tmp.exe"});
    EXPECT_EQ(calls.calls.ends, 1);
}

TEST_F(UpdaterTest, CurrentProgramsAreReportedUpToDateWithoutADownload) {
    WriteManifest("[QivYunUpdate]\r\nmd5=\r\n[QivYunPlay]\r\nmd5=" + UpperCaseDigest(DigestOf("the old main program")) +
                  "\r\nurl=" + World + "/modes/missing\r\n");
    RecordingCalls calls;
    RunUpdater(calls);
    EXPECT_EQ(calls.calls.messages, std::vector<std::string>{"当前已为最新版本！"});
    EXPECT_EQ(calls.calls.messageTypes, std::vector<UINT>{MB_OK});
    EXPECT_TRUE(calls.calls.opened.empty());
    EXPECT_EQ(calls.calls.ends, 1);
    EXPECT_EQ(finalStatus, "正在获取版本信息..........100%");
    EXPECT_EQ(finalPosition, 4000);
}

// A download that breaks off, or an address the downloader does not fetch (https), leaves the old
// main program in place, so the run ends in the up-to-date message without starting anything.
TEST_F(UpdaterTest, FailedDownloadKeepsTheOldMainProgram) {
    const std::string fresh = Served("/modes/file/300000");
    const std::string secure = "https" + World.substr(World.find("://")) + "/modes/file/300000";
    const struct {
        std::string url;
        std::vector<std::string> messages;
    } cases[] = {
        {World + "/modes/drop/300000", {UpToDateText}},
        {secure, {BadAddressText, UpToDateText}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.url);
        WriteManifest("[QivYunPlay]\r\n" + ProgramLines(fresh, c.url));
        RecordingCalls calls;
        RunUpdater(calls);
        EXPECT_EQ(ReadFile(folder + "\\QivYunPlay.exe"), "the old main program");
        EXPECT_FALSE(Exists("QivYunPlay.exe.new"));
        EXPECT_TRUE(calls.calls.opened.empty());
        EXPECT_EQ(calls.calls.messages, c.messages);
    }
}

// The worker reaches the window only through its gate: a window closed while the worker waits for
// a download ends the wait, and the worker ends without starting or ending anything.
TEST_F(UpdaterTest, ClosingTheWindowDuringADownloadEndsTheWaitingWorker) {
    WriteManifest("[QivYunPlay]\r\nmd5=" + DigestOf("a newer main program") + "\r\nurl=" + World +
                  "/modes/slow/2000000\r\n");
    RecordingCalls calls;
    auto dialog = std::make_unique<UpdaterDialog>(settings);
    ASSERT_TRUE(dialog->Create(nullptr));
    ASSERT_TRUE(test::PumpUntil([&] { return dialog->StatusLine().rfind("正在更新", 0) == 0; }, 10000));
    std::shared_ptr<UiGate> gate = dialog->Gate();
    dialog.reset();
    EXPECT_TRUE(test::PumpUntil([&] { return gate.use_count() == 1; }, 10000)) << "the worker still holds the gate";
    test::PumpFor(700);  // longer than the wait that follows a download
    EXPECT_EQ(calls.calls.ends, 0);
    EXPECT_TRUE(calls.calls.opened.empty());
    EXPECT_EQ(ReadFile(folder + "\\QivYunPlay.exe"), "the old main program");
}

// A program download interrupted by the window's end keeps its side file and record; the next run
// goes on from there, fetching less than the whole file again, and installs the program.
TEST_F(UpdaterTest, InterruptedProgramDownloadGoesOnWhereItStopped) {
    constexpr std::int64_t size = 1200000;
    const std::string fresh = Served("/modes/file/1200000");
    WriteManifest("[QivYunPlay]\r\n" + ProgramLines(fresh, World + "/modes/slow/1200000"));
    {
        RecordingCalls calls;
        auto dialog = std::make_unique<UpdaterDialog>(settings);
        ASSERT_TRUE(dialog->Create(nullptr));
        ASSERT_TRUE(test::PumpUntil([&] { return dialog->Downloader().ReceivedSum() >= size / 3; }, 20000));
        std::shared_ptr<UiGate> gate = dialog->Gate();
        dialog.reset();
        ASSERT_TRUE(test::PumpUntil([&] { return gate.use_count() == 1; }, 10000));
        EXPECT_EQ(calls.calls.ends, 0);
    }
    EXPECT_TRUE(Exists("QivYunPlay.exe.new.down"));
    EXPECT_TRUE(Exists("QivYunPlay.exe.new.down.state"));
    EXPECT_FALSE(Exists("QivYunPlay.exe.new"));
    test::HttpRequest("POST", World + "/world/modes/sent/reset");

    RecordingCalls calls;
    RunUpdater(calls, 30000);
    EXPECT_TRUE(ReadFile(folder + "\\QivYunPlay.exe") == fresh);
    EXPECT_EQ(calls.calls.opened, std::vector<std::string>{folder + "\\QivYunPlay.exe"});
    EXPECT_FALSE(Exists("QivYunPlay.exe.new.down.state"));
    const long long sentAgain = std::stoll(test::HttpRequest("GET", World + "/world/modes/sent"));
    EXPECT_GT(sentAgain, 0);
    EXPECT_LE(sentAgain, size * 3 / 4) << "the second run fetched what the first one had not";
}

// The updater fetches a missing manifest and its signature itself. Where the server has no
// signature the update stops with that one message: the failed fetch of the signature adds none.
TEST_F(UpdaterTest, MissingManifestIsFetchedFromTheServerWithItsSignature) {
    // longer than the probe's offset of 100 bytes, as every real manifest is
    const std::string manifest = "[Release]\r\nserial=" + std::to_string(config::ReleaseSerial) + "\r\n[Count]\r\nCountAsp=" +
                                 World + "/QivYun/Count.html\r\nCountrenAsp=" + World + "/QivYun/CountRen.html\r\n[QivYunPlay]\r\nmd5=" +
                                 DigestOf("the old main program") + "\r\n";
    const struct {
        const char* query;
        std::string message;
    } cases[] = {{"", UpToDateText}, {"?signature=none", "更新信息未签名，已停止更新。"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.query);
        int status = 0;
        test::HttpRequest("POST", World + "/world/manifest" + c.query, manifest, &status);
        ASSERT_EQ(status, 200);
        DeleteFileW(WideFromUtf8(settings.manifestPath).c_str());
        RecordingCalls calls;
        RunUpdater(calls);
        EXPECT_EQ(ReadFile(settings.manifestPath), manifest);
        EXPECT_EQ(calls.calls.messages, std::vector<std::string>{c.message});
        EXPECT_EQ(ReadFile(folder + "\\QivYunPlay.exe"), "the old main program");
    }
    test::HttpRequest("DELETE", World + "/world/manifest");
}

TEST_F(UpdaterTest, CopyStartedFromAnotherDirectoryReplacesTheProperFileAndRestarts) {
    const std::string elsewhere = folder + "\\QivYunUpdate_Tmp.exe";
    WriteFile(elsewhere, "the new updater");
    settings.ownPath = elsewhere;
    RecordingCalls calls;
    UpdaterDialog dialog(settings);
    dialog.SelfReplaceCheck();
    EXPECT_EQ(ReadFile(folder + "\\QivYunUpdate.exe"), "the new updater");
    EXPECT_EQ(calls.calls.opened, std::vector<std::string>{folder + "\\QivYunUpdate.exe"});
    EXPECT_EQ(calls.calls.ends, 1);
    EXPECT_TRUE(calls.calls.messages.empty());
}

TEST_F(UpdaterTest, SecondCopyReportsTheRunningOneAndEnds) {
    HANDLE first = CreateMutexW(nullptr, TRUE, L"QivYunUpdateFSG");
    WriteFile(folder + "\\QivYunUpdate_Tmp.exe", "a leftover temporary copy");
    RecordingCalls calls;
    UpdaterDialog dialog(settings);
    dialog.SelfReplaceCheck();
    CloseHandle(first);
    EXPECT_EQ(calls.calls.messages, std::vector<std::string>{"自动更新已经在运行"});
    EXPECT_EQ(calls.calls.messageTypes, std::vector<UINT>{MB_OK});
    EXPECT_EQ(calls.calls.ends, 1);
    EXPECT_FALSE(Exists("QivYunUpdate_Tmp.exe")) << "the leftover temporary copy is deleted";
}

}  // namespace
}  // namespace qivyun
