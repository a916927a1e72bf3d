// The waiting popup as the main window shows it: translucent, rounded, playing its animation,
// and gone without a trace when destroyed.
#include "controls/WaitingPopup.h"

#include "../support/GdiObjects.h"
#include "../support/Pump.h"
#include "controls/WaitingPopupIds.h"
#include "framework/Text.h"
#include "shell/MainDialog.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace qivyun {
namespace {

// The busy animation with every frame's delay raised to thirty seconds.
std::vector<uint8_t> SlowBusyAnimation() {
    HRSRC resource = FindResourceA(nullptr, MAKEINTRESOURCEA(IDR_BUSY_ANIMATION), "GIF");
    const auto* bytes = static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, resource)));
    std::vector<uint8_t> gif(bytes, bytes + SizeofResource(nullptr, resource));
    for (size_t at = 0; at + 6 < gif.size(); ++at)
        if (gif[at] == 0x21 && gif[at + 1] == 0xF9 && gif[at + 2] == 4) gif[at + 4] = 0xB8, gif[at + 5] = 0x0B;  // 3000
    return gif;
}

constexpr char Text[] = "\r\n\r\n   搜索速度快慢取决于你的网络状态\r\n\r\n   正在搜索中，请你稍后.......";

class WaitingPopupTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(nullptr));
        ASSERT_TRUE(test::PumpUntil([&] { return dialog.IsVisible(); }));
        dialog.Move(150, 90, 939, 602);  // the popup's place does not follow the window
    }
    void Show() {
        dialog.SearchPanel().ShowWaitingPopup(Text);
        ASSERT_TRUE(popup.Exists());
        test::PumpFor(150);
    }

    MainDialog dialog{StartupCheckSettings{"http://127.0.0.1:9/QivYun/QivYunUpdate.txt", "qivyun-popup-test.ini", "", ""}};
    WaitingPopup& popup = dialog.SearchPanel().Popup();
};

TEST_F(WaitingPopupTest, ThePopupIsTranslucentRoundedAndDraggedByAnyPointWithItsAnimationPlaying) {
    Show();
    HWND window = popup.Handle();
    RECT place = popup.WindowRect();
    EXPECT_EQ(place.left, 360);
    EXPECT_EQ(place.top, 295);

    // The message's last line ends inside the popup, whatever the height of the face's lines.
    HWND text = popup.Item(IDC_POPUP_MESSAGE);
    HDC dc = GetDC(text);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(text, WM_GETFONT, 0, 0)));
    RECT needed{0, 0, 300, 0};
    DrawGbkText(dc, Text, needed, DT_CALCRECT | DT_WORDBREAK);
    SelectObject(dc, previous);
    ReleaseDC(text, dc);
    RECT textPlace;
    GetWindowRect(text, &textPlace);
    MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&textPlace), 2);
    EXPECT_LE(textPlace.top, 0);
    EXPECT_LE(textPlace.top + needed.bottom, 72);

    EXPECT_TRUE(GetWindowLongA(window, GWL_EXSTYLE) & WS_EX_LAYERED);
    BYTE alpha = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(window, nullptr, &alpha, &flags));
    EXPECT_EQ(alpha, 222);
    EXPECT_EQ(flags, DWORD(LWA_ALPHA));
    EXPECT_EQ(SendMessageA(window, WM_NCHITTEST, 0, MAKELPARAM(400, 300)), HTCAPTION);

    AnimatedPicture& animation = popup.BusyAnimation();
    EXPECT_EQ(animation.FrameCount(), 12u);
    EXPECT_TRUE(animation.AnimationRunning());
    EXPECT_TRUE(animation.HasBackground()) << "taken at the first paint";

    // The region follows every size: corners cut, the middle and the edges' middles kept.
    for (SIZE size : {SIZE{319, 72}, SIZE{200, 50}}) {
        SetWindowPos(window, nullptr, 0, 0, size.cx, size.cy, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        UniqueGdiObject<HRGN> region(CreateRectRgn(0, 0, 0, 0));
        ASSERT_NE(GetWindowRgn(window, region.Get()), ERROR);
        RECT box;
        GetRgnBox(region.Get(), &box);
        EXPECT_EQ(box.right, size.cx);
        EXPECT_EQ(box.bottom, size.cy);
        EXPECT_FALSE(PtInRegion(region.Get(), 0, 0));
        EXPECT_FALSE(PtInRegion(region.Get(), size.cx - 1, size.cy - 1));
        EXPECT_TRUE(PtInRegion(region.Get(), size.cx / 2, size.cy / 2));
        EXPECT_TRUE(PtInRegion(region.Get(), 0, size.cy / 2));
        EXPECT_TRUE(PtInRegion(region.Get(), size.cx - 1, size.cy / 2));
    }
}

TEST_F(WaitingPopupTest, DestroyingThePopupDuringALongFrameDelayEndsItsThreadAtOnce) {
    Show();
    std::vector<uint8_t> gif = SlowBusyAnimation();
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, gif.size());
    std::memcpy(GlobalLock(block), gif.data(), gif.size());
    GlobalUnlock(block);
    AnimatedPicture& animation = popup.BusyAnimation();
    ASSERT_TRUE(animation.LoadPictureData(block, DWORD(gif.size())));
    GlobalFree(block);
    animation.StartPicture();
    test::PumpFor(200);
    ASSERT_TRUE(animation.AnimationRunning());

    // The frame waits 30 s; ending at once takes a few milliseconds. The bound leaves room for a
    // busy machine without letting a wait for the frame's end pass.
    DWORD start = GetTickCount();
    dialog.SearchPanel().CloseWaitingPopup();
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_FALSE(popup.Exists());
    EXPECT_FALSE(animation.AnimationRunning());
}

TEST_F(WaitingPopupTest, TwentyPopupsLeaveAsManyGdiObjectsAsOne) {
    Show();
    dialog.SearchPanel().CloseWaitingPopup();
    test::PumpFor(50);
    int afterOne = test::GdiObjectCount();
    for (int i = 0; i < 20; ++i) {
        Show();
        dialog.SearchPanel().CloseWaitingPopup();
    }
    test::PumpFor(50);
    EXPECT_EQ(test::GdiObjectCount(), afterOne);
}

}  // namespace
}  // namespace qivyun
