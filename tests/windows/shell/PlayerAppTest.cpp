#include "shell/PlayerApp.h"

#include "../support/SystemCallRecorder.h"
#include "BuildConfig.h"
#include "framework/Handles.h"
#include "framework/Window.h"

#include <gtest/gtest.h>

namespace qivyun {
namespace {

// Nothing listens on the discard port of loopback.
constexpr char UnreachableProbe[] = "http://127.0.0.1:9/";

// The start-up check of these runs finds no update server, so it never starts the updater.
StartupCheckSettings OfflineCheck() {
    return {"http://127.0.0.1:9/QivYun/QivYunUpdate.txt", "qivyun-app-test-manifest.ini", "", ""};
}

HWND FindMainWindow() { return FindWindowW(nullptr, L"Qiv云播盒子"); }

TEST(PlayerApp, SecondCopyReportsAlreadyRunningBeforeAnyNetworkCheck) {
    UniqueHandle firstCopy(CreateMutexW(nullptr, TRUE, L"QivYunFSG"));
    ASSERT_TRUE(firstCopy);
    test::SystemCallRecorder recorder;
    PlayerApp app(UnreachableProbe, OfflineCheck());  // a second copy without network still reports the running copy

    try {
        app.Run();
        FAIL() << "the second copy went on running";
    } catch (const test::ProcessEnded& ended) {
        EXPECT_EQ(ended.exitCode, 0u);
    }
    ASSERT_EQ(recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(recorder.messageBoxes[0].owner, nullptr);
    EXPECT_EQ(recorder.messageBoxes[0].text, "Qiv云播盒子已在运行中");
    EXPECT_EQ(recorder.messageBoxes[0].caption, "安全提示");
    EXPECT_EQ(recorder.messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(FindMainWindow(), nullptr);
    EXPECT_EQ(app.GdiplusStartCount(), 0);
}

TEST(PlayerApp, UnreachableProbeEndsTheRunBeforeAnyWindow) {
    test::SystemCallRecorder recorder;
    PlayerApp app(UnreachableProbe, OfflineCheck());
    try {
        app.Run();
        FAIL() << "the run went on without a connection";
    } catch (const test::ProcessEnded& ended) {
        EXPECT_EQ(ended.exitCode, 0u);
    }
    ASSERT_EQ(recorder.messageBoxes.size(), 1u);
    EXPECT_EQ(recorder.messageBoxes[0].text, "网络连接不可用,请检测你的网络连接是否正常,");
    EXPECT_EQ(recorder.messageBoxes[0].text,
              "\xCD\xF8\xC2\xE7\xC1\xAC\xBD\xD3\xB2\xBB\xBF\xC9\xD3\xC3,\xC7\xEB\xBC\xEC\xB2\xE2\xC4\xE3\xB5\xC4"
              "\xCD\xF8\xC2\xE7\xC1\xAC\xBD\xD3\xCA\xC7\xB7\xF1\xD5\xFD\xB3\xA3,");
    EXPECT_EQ(recorder.messageBoxes[0].caption, "网络异常");
    EXPECT_EQ(recorder.messageBoxes[0].type, static_cast<UINT>(MB_OK | MB_ICONWARNING));
    EXPECT_EQ(FindMainWindow(), nullptr);
    EXPECT_EQ(app.GdiplusStartCount(), 0);
}

// The test world answers the build's probe address.
PlayerApp* runningApp = nullptr;

void CALLBACK CloseMainWindowWhenShown(HWND, UINT, UINT_PTR timer, DWORD) {
    Window* main = runningApp->MainWindow();
    if (main && main->IsVisible()) {
        KillTimer(nullptr, timer);
        PostMessageA(main->Handle(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    }
}

constexpr wchar_t BrowserEmulationKey[] =
    L"Software\\Microsoft\\Internet Explorer\\Main\\FeatureControl\\FEATURE_BROWSER_EMULATION";

// The value under the current user's browser emulation key named after this program's file.
DWORD BrowserModeOfThisProgram() {
    DWORD mode = 0, size = sizeof mode;
    if (RegGetValueW(HKEY_CURRENT_USER, BrowserEmulationKey, L"player_tests.exe", RRF_RT_REG_DWORD, nullptr, &mode, &size) !=
        ERROR_SUCCESS)
        return 0;
    return mode;
}

// A run writes the browser mode of its hosted pages, 11001, for its own file name.
TEST(PlayerApp, StartsAgainAfterTheFirstCopyEndedWithTheCurrentBrowserModeAndShutsGdiplusDownOnce) {
    RegDeleteKeyValueW(HKEY_CURRENT_USER, BrowserEmulationKey, L"player_tests.exe");
    ASSERT_EQ(BrowserModeOfThisProgram(), 0u);
    // A first copy that has ended: its mutex is gone.
    CloseHandle(CreateMutexW(nullptr, TRUE, L"QivYunFSG"));
    test::SystemCallRecorder recorder;
    PlayerApp app(config::ProbeAddress, OfflineCheck());
    runningApp = &app;
    UINT_PTR timer = SetTimer(nullptr, 0, 100, CloseMainWindowWhenShown);
    int exitCode = -1;
    try {
        exitCode = app.Run();
    } catch (const test::ProcessEnded&) {
        ADD_FAILURE() << "the run ended early: is the test world answering " << config::ProbeAddress << "?";
    }
    KillTimer(nullptr, timer);
    runningApp = nullptr;

    EXPECT_EQ(exitCode, 0);
    EXPECT_EQ(BrowserModeOfThisProgram(), 11001u);
    EXPECT_TRUE(recorder.messageBoxes.empty()) << recorder.messageBoxes[0].text;
    EXPECT_EQ(app.GdiplusStartCount(), 1);
    EXPECT_EQ(app.GdiplusShutdownCount(), 1);
    EXPECT_EQ(app.MainWindow(), nullptr);
    EXPECT_EQ(FindMainWindow(), nullptr);
}

}  // namespace
}  // namespace qivyun
