// QivYunSkinGallery's window in-process: with the built-in skin every control the engine knows is
// skinned, a hundred repaints keep the GDI objects of the first, and the window's picture is saved;
// without a skin (a process of its own, where no skin was ever loaded) the same window in the
// system's look, for comparison.
#include "common/CodePage.h"
#include "framework/Dialog.h"
#include "framework/Text.h"
#include "gallery/BarWindows.h"
#include "gallery/FrameworkWindow.h"
#include "gallery/GalleryDialog.h"
#include "skin/engine/WindowSkinner.h"

#include "../support/GdiObjects.h"
#include "../support/Pump.h"
#include "../support/WindowCapture.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <set>
#include <string>

namespace qivyun::gallery {
namespace {

std::set<std::wstring> ClassesOfChildren(HWND window, bool skinnedOnly) {
    std::set<std::wstring> classes;
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (skinnedOnly && !skin::WindowSkinner::Of(child)) continue;
        wchar_t name[64] = {};
        GetClassNameW(child, name, 64);
        classes.insert(name);
    }
    return classes;
}

void Repaint(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
}

int SkinTypeOf(HWND window) {
    const skin::WindowSkinner* skinner = skin::WindowSkinner::Of(window);
    return skinner ? int(skinner->skinType) : 0;
}

// The framework-style window beside the gallery: frame, MDI client with its two documents, panel;
// its picture saved under `name`.
void CheckFrameworkWindow(bool skinned, const std::string& name) {
    const HWND frame = FindWindowW(FrameworkWindowClass, nullptr);
    ASSERT_TRUE(frame);
    const HWND panel = GetDlgItem(frame, 2), client = GetDlgItem(frame, 1);
    ASSERT_TRUE(panel && client);
    EXPECT_EQ(SkinTypeOf(frame), skinned ? 1035 : 0);
    EXPECT_EQ(SkinTypeOf(client), skinned ? 1015 : 0);
    EXPECT_EQ(SkinTypeOf(panel), skinned ? 1037 : 0);
    int documents = 0;
    for (HWND child = GetWindow(client, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) ++documents;
    EXPECT_EQ(documents, 2);
    SetWindowPos(frame, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    Repaint(frame);
    test::PumpFor(200);
    EXPECT_TRUE(test::SaveWindowPng(frame, test::ScreensFolder() + "/" + name));
}

TEST(GalleryWithTheBuiltInSkin, SkinsEveryControlAndHoldsItsGdiObjectsOverAHundredRepaints) {
    GalleryDialog gallery({SkinChoice::Source::BuiltIn, {}});
    ASSERT_TRUE(gallery.Create(nullptr)) << "CreateDialogParamW failed, error " << GetLastError();
    test::PumpFor(300);
    EXPECT_EQ(gallery.SkinResult(), 0);
    ASSERT_NE(skin::WindowSkinner::Of(gallery.Handle()), nullptr);
    // Every class the sections use draws through a skinner (the static texts are the window's).
    std::set<std::wstring> unskinned;
    for (const std::wstring& name : ClassesOfChildren(gallery.Handle(), false))
        if (!ClassesOfChildren(gallery.Handle(), true).contains(name)) unskinned.insert(name);
    EXPECT_EQ(unskinned, std::set<std::wstring>{L"Static"});
    for (const wchar_t* kind : {L"msctls_trackbar32", L"SysTabControl32", L"ToolbarWindow32", L"msctls_statusbar32",
                                L"SysDateTimePick32", L"SysMonthCal32"})
        EXPECT_TRUE(ClassesOfChildren(gallery.Handle(), true).contains(kind)) << "no skinned " << Utf8FromWide(kind);

    // The first combo box open: its list is the system's, in the skin's border and bars.
    const HWND combo = FindWindowExW(gallery.Handle(), nullptr, L"ComboBox", nullptr);
    ASSERT_TRUE(combo);
    SendMessageW(combo, CB_SHOWDROPDOWN, TRUE, 0);
    test::PumpFor(200);
    COMBOBOXINFO combos{};
    combos.cbSize = sizeof combos;
    GetComboBoxInfo(combo, &combos);
    EXPECT_NE(skin::WindowSkinner::Of(combos.hwndList), nullptr);
    EXPECT_TRUE(test::SaveWindowPng(combos.hwndList, test::ScreensFolder() + "/skin-gallery-combo-list.png"));
    SendMessageW(combo, CB_SHOWDROPDOWN, FALSE, 0);
    test::PumpFor(200);

    SetFocus(GetDlgItem(gallery.Handle(), 1001));  // the default push button, in its focused look
    Repaint(gallery.Handle());
    test::PumpFor(200);
    EXPECT_TRUE(test::SaveWindowPng(gallery.Handle(), test::ScreensFolder() + "/skin-gallery-window.png"));
    CheckFrameworkWindow(true, "skin-gallery-framework-window.png");
    const HWND framework = FindWindowW(FrameworkWindowClass, nullptr);

    Repaint(gallery.Handle());
    Repaint(framework);
    const int afterFirst = test::GdiObjectCount();
    for (int i = 0; i < 100; ++i) Repaint(gallery.Handle()), Repaint(framework);
    EXPECT_EQ(test::GdiObjectCount(), afterFirst);
    gallery.Destroy();
}

// The windows the gallery opens beside itself, each photographed alone at the screen's corner.
void PhotographBarWindows(const std::string& suffix) {
    for (const auto& [className, name] : {std::pair{DockingWindowClass, "docking"}, std::pair{FloatingBarClass, "floating-bar"}}) {
        const HWND window = FindWindowW(className, nullptr);
        ASSERT_TRUE(window) << name;
        SetWindowPos(window, HWND_TOP, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOACTIVATE);
        Repaint(window);
        test::PumpFor(200);
        EXPECT_TRUE(test::SaveWindowPng(window, test::ScreensFolder() + "/skin-gallery-" + name + suffix + ".png"));
    }
}

TEST(GalleryWithTheBuiltInSkin, OpensItsBarWindowsBesideItSkinnedAndHoldsTheirGdiObjects) {
    GalleryDialog gallery({SkinChoice::Source::BuiltIn, {}});
    ASSERT_TRUE(gallery.Create(nullptr));
    test::PumpFor(300);
    const HWND docking = FindWindowW(DockingWindowClass, nullptr), floating = FindWindowW(FloatingBarClass, nullptr);
    ASSERT_TRUE(docking && floating);
    // Each bar kind draws through its skinner: the rebar and framework bar, the band window, the fitted frame.
    const std::pair<HWND, skin::SkinType> kinds[] = {
        {FindWindowExW(docking, nullptr, REBARCLASSNAMEW, nullptr), 1022},
        {FindWindowExW(docking, nullptr, FrameworkBarClass, nullptr), 1005},
        {FindWindowExW(docking, nullptr, BandWindowClass, nullptr), 1033},
        {floating, 1030},
    };
    for (const auto& [window, type] : kinds) {
        ASSERT_NE(skin::WindowSkinner::Of(window), nullptr) << type;
        EXPECT_EQ(skin::WindowSkinner::Of(window)->skinType, type);
    }
    PhotographBarWindows("");
    Repaint(docking);
    Repaint(floating);
    const int afterFirst = test::GdiObjectCount();
    for (int i = 0; i < 100; ++i) {
        Repaint(docking);
        Repaint(floating);
    }
    EXPECT_EQ(test::GdiObjectCount(), afterFirst);
    gallery.Destroy();
}

TEST(GalleryWithTheBuiltInSkin, ASkinFileThatDoesNotLoadIsToldWithItsCodeAndTheBuiltInSkinShown) {
    GalleryDialog gallery({SkinChoice::Source::File, "Z:/nonexistent-folder/QivYun.zor"});
    ASSERT_TRUE(gallery.Create(nullptr)) << "CreateDialogParamW failed, error " << GetLastError();
    EXPECT_EQ(gallery.SkinResult(), 2);
    // The message box waits for the window's first messages; taken here, it does not stop the test.
    MSG told;
    EXPECT_TRUE(PeekMessageW(&told, gallery.Handle(), GalleryDialog::SkinFailedMessage, GalleryDialog::SkinFailedMessage,
                             PM_REMOVE));
    EXPECT_NE(WideTextOf(gallery.Handle()).find(L"QivYun.zor 载入失败，结果 2"), std::wstring::npos);
    EXPECT_NE(skin::WindowSkinner::Of(gallery.Handle()), nullptr);
    gallery.Destroy();
}

TEST(GalleryInTheSystemsLook, ShowsTheSameControlsUnskinned) {
    GalleryDialog gallery({SkinChoice::Source::None, {}});
    ASSERT_TRUE(gallery.Create(nullptr)) << "CreateDialogParamW failed, error " << GetLastError();
    test::PumpFor(300);
    EXPECT_EQ(skin::WindowSkinner::Of(gallery.Handle()), nullptr);
    EXPECT_TRUE(ClassesOfChildren(gallery.Handle(), true).empty());
    SetFocus(GetDlgItem(gallery.Handle(), 1001));
    Repaint(gallery.Handle());
    test::PumpFor(200);
    EXPECT_TRUE(test::SaveWindowPng(gallery.Handle(), test::ScreensFolder() + "/skin-gallery-window-unskinned.png"));
    CheckFrameworkWindow(false, "skin-gallery-framework-window-unskinned.png");
    PhotographBarWindows("-unskinned");
    gallery.Destroy();
}

}  // namespace
}  // namespace qivyun::gallery
