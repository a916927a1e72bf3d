// The texts the skin draws around and over windows on any system: a message box with its title in
// the skin's frame, the items of a pop-up menu. Each holds its Unicode text and looks as it does
// under code page 936.
#include "CodePagePictures.h"
#include "framework/Handles.h"
#include "skin/engine/SkinnerText.h"

#include <gtest/gtest.h>

#include <optional>
#include <string>

namespace qivyun::skin::test {
namespace {

// What a timer saw of a window that runs its own loop (a message box, a menu) while it showed.
std::optional<testing::AssertionResult> looks;
std::wstring seenTitle;

// The thread's visible window of the class, drawn afresh.
HWND ShownWindowOfClass(const wchar_t* className) {
    HWND found = FindWindowW(className, nullptr);
    if (!found || !IsWindowVisible(found)) return nullptr;
    RedrawWindow(found, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW | RDW_ALLCHILDREN);
    return found;
}

VOID CALLBACK LookAtMessageBox(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND found = ShownWindowOfClass(L"#32770");
    if (!found) return;
    KillTimer(nullptr, timer);
    seenTitle = WindowText(found);
    // The answers' words are the system's own, in its language, and so are their widths: their row
    // is left out.
    RECT box{}, answers{};
    GetWindowRect(found, &box);
    for (HWND child = GetWindow(found, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (ClassNameOf(child) != "Button") continue;
        RECT place;
        GetWindowRect(child, &place);
        OffsetRect(&place, -box.left, -box.top);
        UnionRect(&answers, &answers, &place);
    }
    looks = LooksAsUnder936(found, "message-box", {}, RECT{0, answers.top, box.right - box.left, answers.bottom});
    PostMessageW(found, WM_COMMAND, MAKEWPARAM(IDNO, BN_CLICKED), 0);
}

TEST(FrameTextsTest, AMessageBoxAndItsTitleShowTheirUnicodeTextsAsUnder936) {
    LoadOurSkin();
    SetCursorPos(1200, 1000);
    looks.reset();
    SetTimer(nullptr, 0, 200, LookAtMessageBox);
    const std::wstring title = L"Qiv云播提示 Zoë", question = L"是否最小化到托盘? Zoë 한글";
    EXPECT_EQ(MessageBoxW(nullptr, question.c_str(), title.c_str(), MB_YESNO | MB_ICONWARNING), IDNO);
    EXPECT_EQ(seenTitle, title);
    ASSERT_TRUE(looks);
    EXPECT_TRUE(*looks);
}

VOID CALLBACK LookAtMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menuWindow = ShownWindowOfClass(L"#32768");
    if (!menuWindow) return;
    KillTimer(nullptr, timer);
    looks = LooksAsUnder936(menuWindow, "menu");
    EndMenu();
}

TEST(FrameTextsTest, TheEnginesMenuItemsShowTheirUnicodeTextsAsUnder936) {
    LoadOurSkin();
    SetCursorPos(1200, 1000);
    UniqueMenu menu(CreatePopupMenu());
    HMENU more = CreatePopupMenu();
    AppendMenuW(more, MF_STRING, 11, L"子项");
    AppendMenuW(menu.Get(), MF_STRING, 1, L"在线播放 Zoë(&P)");
    AppendMenuW(menu.Get(), MF_SEPARATOR, 0, nullptr);
    AppendMenuW(menu.Get(), MF_POPUP, reinterpret_cast<UINT_PTR>(more), L"更多 한글");
    AppendMenuW(menu.Get(), MF_STRING | MF_GRAYED, 2, L"复制地址\tCtrl+C");
    HWND owner = CreateWindowExW(0, L"Static", L"", WS_POPUP | WS_VISIBLE, 50, 50, 100, 100, nullptr, nullptr, nullptr,
                                 nullptr);
    looks.reset();
    SetTimer(nullptr, 0, 100, LookAtMenu);
    TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, 60, 60, 0, owner, nullptr);
    DestroyWindow(owner);
    ASSERT_TRUE(looks);
    EXPECT_TRUE(*looks);
}

}  // namespace
}  // namespace qivyun::skin::test
