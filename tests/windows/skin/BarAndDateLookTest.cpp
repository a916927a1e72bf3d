// Pictures of the five kinds together, with the skin and (in a run of its own, where the engine is
// never attached) without it, to be looked at side by side.
#include "../support/Pump.h"
#include "../support/WindowCapture.h"
#include "BarAndDateControls.h"
#include "SkinnedWindows.h"
#include "skin/SkinEngine.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <string>

namespace qivyun::skin::test {
namespace {

// A plain top-level window in the system's colours: the skinners' host would load the skin.
HWND PlainHost(int width, int height) {
    static const ATOM plainClass = [] {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = &DefWindowProcW;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
        windowClass.hbrBackground = GetSysColorBrush(COLOR_BTNFACE);
        windowClass.lpszClassName = L"UnskinnedTestHost";
        return RegisterClassW(&windowClass);
    }();
    (void)plainClass;
    return CreateWindowExW(0, L"UnskinnedTestHost", L"", WS_POPUP | WS_VISIBLE, 0, 0, width, height, nullptr, nullptr,
                           GetModuleHandleW(nullptr), nullptr);
}

void SaveAllFive(HWND host, const std::string& name) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
    MakeToolbar(host);
    // The picker lies on the tab's page, as a property page's controls do.
    HWND tabs = MakeTabs(host, 10, 50, 280, 220, WS_CLIPSIBLINGS);
    SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
    HWND picker = MakeDatePicker(host, 30, 100);
    MakeCalendar(host, 300, 50);
    MakeTabs(host, 300, 230, 240, 60, TCS_BOTTOM);
    MakeStatusBar(host);
    RedrawWindow(host, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    qivyun::test::PumpFor(100);
    EXPECT_TRUE(qivyun::test::SaveWindowPng(host, qivyun::test::ScreensFolder() + "/" + name + "-common-controls.png"));

    // The picker with its calendar down.
    RECT client;
    GetClientRect(picker, &client);
    SendMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(client.right - 6, client.bottom / 2));
    SendMessageW(picker, WM_LBUTTONUP, 0, MAKELPARAM(client.right - 6, client.bottom / 2));
    qivyun::test::PumpFor(100);
    const auto calendar = reinterpret_cast<HWND>(SendMessageW(picker, DTM_GETMONTHCAL, 0, 0));
    ASSERT_NE(calendar, nullptr);
    EXPECT_TRUE(qivyun::test::SaveWindowPng(calendar, qivyun::test::ScreensFolder() + "/" + name + "-date-drop-down.png"));
    SendMessageW(picker, DTM_CLOSEMONTHCAL, 0, 0);
}

TEST(BarAndDateLook, SkinnedPicture) {
    LoadOurSkin();
    HostWindow host(560, 330);
    SaveAllFive(host.Get(), "skinned");
}

// Run alone (ctest runs it so): with any skin attached the picture would not be the system's.
TEST(BarAndDateLook, UnskinnedPicture) {
    if (SkinEngine::Current() && SkinEngine::Current()->Skin().Loaded()) GTEST_SKIP() << "a skin is loaded in this process";
    HWND host = PlainHost(560, 330);
    SaveAllFive(host, "unskinned");
    DestroyWindow(host);
}

}  // namespace
}  // namespace qivyun::skin::test
