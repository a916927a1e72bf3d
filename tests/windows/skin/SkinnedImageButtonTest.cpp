// The main program's image buttons with the skin loaded: owner-drawn, so painted through the
// buffer; what reaches the screen is exactly the look the button draws, and a button without its
// picture shows the skin's background.
#include "../controls/ControlsTestDialog.h"
#include "../support/Pump.h"
#include "../support/WindowCapture.h"
#include "SkinnedWindows.h"
#include "skin/engine/WindowSkinner.h"

#include <gtest/gtest.h>

namespace qivyun::skin::test {
namespace {

// What the button draws when its owner asks it into a DC of its own.
Picture OwnDrawing(HWND dialog, HWND button, const RECT& client) {
    return Drawn(client.right, client.bottom, [&](HDC dc) {
        DRAWITEMSTRUCT item{ODT_BUTTON, UINT(GetDlgCtrlID(button)), 0, ODA_DRAWENTIRE, 0, button, dc, client, 0};
        SendMessageA(dialog, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item));
    });
}

TEST(SkinnedImageButtonTest, ImageButtonsReachTheScreenThroughTheBufferUnchanged) {
    const SkinData& skin = LoadOurSkin();
    qivyun::test::ControlsTestDialog dialog;
    ASSERT_TRUE(dialog.Create(nullptr));
    ASSERT_TRUE(qivyun::test::PumpUntil([&] { return dialog.IsVisible(); }));
    qivyun::test::PumpFor(300);

    for (ImageButton* button : {&dialog.tile, &dialog.glyph, &dialog.banner}) {
        HWND handle = button->Handle();
        ASSERT_NE(WindowSkinner::Of(handle), nullptr);
        EXPECT_EQ(WindowSkinner::Of(handle)->skinType, 1036);
        const RECT client = button->ClientRect();
        for (bool hover : {false, true}) {
            SCOPED_TRACE(testing::Message() << GetDlgCtrlID(handle) << (hover ? " hover" : " normal"));
            SendMessageA(handle, hover ? WM_MOUSEHOVER : WM_MOUSELEAVE, 0, 0);
            UpdateWindow(handle);
            EXPECT_TRUE(SamePicture(Capture(handle), OwnDrawing(dialog.Handle(), handle, client)));
        }
    }
    // Without its picture the button draws nothing, and the skin shows.
    HWND bare = dialog.bare.Handle();
    InvalidateRect(bare, nullptr, TRUE);
    UpdateWindow(bare);
    const RECT client = dialog.bare.ClientRect();
    EXPECT_EQ(Capture(bare).Count(skin.BackgroundColour(), client), client.right * client.bottom);
    EXPECT_TRUE(qivyun::test::SaveWindowPng(dialog.Handle(), qivyun::test::ScreensFolder() + "/skinned-image-buttons.png"));
    dialog.Destroy();
}

}  // namespace
}  // namespace qivyun::skin::test
