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

void SaveAllFive(const std::string& name) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_WIN95_CLASSES | ICC_DATE_CLASSES};
    InitCommonControlsEx(&classes);
    HostWindow host(560, 330);
    MakeToolbar(host.Get());
    // The picker lies on the tab's page, as a property page's controls do.
    HWND tabs = MakeTabs(host.Get(), 10, 50, 280, 220, WS_CLIPSIBLINGS);
    SendMessageW(tabs, TCM_SETCURSEL, 1, 0);
    MakeDatePicker(host.Get(), 30, 100);
    MakeCalendar(host.Get(), 300, 50);
    MakeStatusBar(host.Get());
    RedrawWindow(host.Get(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    qivyun::test::PumpFor(100);
    EXPECT_TRUE(qivyun::test::SaveWindowPng(host.Get(), qivyun::test::ScreensFolder() + "/" + name));
}

TEST(BarAndDateLook, SkinnedPicture) {
    LoadOurSkin();
    SaveAllFive("skinned-common-controls.png");
}

// Run alone (ctest runs it so): with any skin attached the picture would not be the system's.
TEST(BarAndDateLook, UnskinnedPicture) {
    if (SkinEngine::Current() && SkinEngine::Current()->Skin().Loaded()) GTEST_SKIP() << "a skin is loaded in this process";
    SaveAllFive("unskinned-common-controls.png");
}

}  // namespace
}  // namespace qivyun::skin::test
