// Push buttons, check boxes and radio buttons drawn from the skin: the part of every state, the
// text beside the box, and the hand-over of a button that becomes owner-drawn to buffered painting.
#include "SkinnedWindows.h"
#include "framework/Handles.h"
#include "skin/container/DrawPart.h"
#include "skin/kinds/SkinnedNonClient.h"
#include "skin/engine/WindowSkinner.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <utility>

namespace qivyun::skin::test {
namespace {

// The whole button (no text) against the expected part on the skin's background.
testing::AssertionResult Shows(HWND button, SkinPart part) {
    RECT client;
    GetClientRect(button, &client);
    return SamePicture(Capture(button), PartOnBackground(client.right, client.bottom, part));
}

// The box of a check box or radio button without text: its part at the left edge, centred.
testing::AssertionResult BoxShows(HWND button, SkinPart part) {
    const SkinData& skin = LoadOurSkin();
    const ImagePart& box = skin.Part(part);
    RECT client;
    GetClientRect(button, &client);
    const int top = 1 + (client.bottom - 2 - box.height) / 2;
    return SamePicture(Capture(button), Drawn(client.right, client.bottom, [&](HDC dc) {
                           FillRect(dc, &client, skin.BackgroundBrush());
                           RECT place{1, top, 1 + box.width, top + box.height};
                           DrawPart(dc, place, box, skin);
                       }));
}

void Press(HWND button) { SendMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(4, 4)); }
void Release(HWND button) { SendMessageA(button, WM_LBUTTONUP, 0, MAKELPARAM(4, 4)); }
void Hover(HWND button) { SendMessageA(button, WM_MOUSEHOVER, 0, MAKELPARAM(4, 4)); }
void Leave(HWND button) { SendMessageA(button, WM_MOUSELEAVE, 0, 0); }

TEST(ButtonSkinnerTest, PushButtonsShowPointerFirstThenFocusAndTheDefaultButtonLooksLikeAnyOther) {
    LoadOurSkin();
    HostWindow host;
    HWND other = host.Child("Button", "", BS_PUSHBUTTON, 300, 10, 90, 26, 0, 101);
    HWND button = host.Child("Button", "", BS_PUSHBUTTON, 10, 10, 90, 26);
    ASSERT_NE(WindowSkinner::Of(button), nullptr);
    EXPECT_EQ(WindowSkinner::Of(button)->skinType, 1020);

    EXPECT_TRUE(Shows(button, SkinPart::PushButtonNormal));
    Hover(button);
    EXPECT_TRUE(Shows(button, SkinPart::PushButtonOver));
    Press(button);  // the press also takes the focus: held wins
    EXPECT_EQ(GetFocus(), button);
    EXPECT_TRUE(Shows(button, SkinPart::PushButtonHeld));
    Release(button);
    EXPECT_TRUE(Shows(button, SkinPart::PushButtonOver));  // over wins over focused
    Leave(button);
    EXPECT_TRUE(Shows(button, SkinPart::PushButtonFocused));
    SetFocus(other);
    UpdateWindow(button);
    EXPECT_TRUE(Shows(button, SkinPart::PushButtonNormal));
    EnableWindow(button, FALSE);
    EXPECT_TRUE(Shows(button, SkinPart::PushButtonDisabled));
    Hover(button);
    EXPECT_TRUE(Shows(button, SkinPart::PushButtonDisabled));

    // A default push button has the push button's looks: normal without the focus, focused with it.
    HWND defaultButton = host.Child("Button", "", BS_DEFPUSHBUTTON, 10, 50, 90, 26, 0, 102);
    EXPECT_EQ(WindowSkinner::Of(defaultButton)->skinType, 1020);
    EXPECT_TRUE(Shows(defaultButton, SkinPart::PushButtonNormal));
    SetFocus(defaultButton);
    EXPECT_TRUE(Shows(defaultButton, SkinPart::PushButtonFocused));
}

TEST(ButtonSkinnerTest, CheckBoxesShowTheirMarkInEveryStateAndADisabledIndeterminateBoxLooksUnchecked) {
    LoadOurSkin();
    HostWindow host;
    HWND other = host.Child("Button", "", BS_PUSHBUTTON, 300, 10, 90, 26, 0, 101);
    HWND box = host.Child("Button", "", BS_AUTO3STATE, 10, 10, 120, 20);
    EXPECT_EQ(WindowSkinner::Of(box)->skinType, 1002);

    struct Mark {
        WPARAM check;
        SkinPart normal, over, held, focused, disabled;
    };
    using enum SkinPart;
    const Mark marks[] = {
        {BST_UNCHECKED, CheckBoxNormal, CheckBoxOver, CheckBoxHeld, CheckBoxFocused, CheckBoxDisabled},
        {BST_CHECKED, CheckBoxCheckedNormal, CheckBoxCheckedOver, CheckBoxCheckedHeld, CheckBoxCheckedFocused,
         CheckBoxCheckedDisabled},
        {BST_INDETERMINATE, CheckBoxMixedNormal, CheckBoxMixedOver, CheckBoxMixedHeld, CheckBoxMixedFocused,
         CheckBoxDisabled},
    };
    for (const Mark& mark : marks) {
        SCOPED_TRACE(testing::Message() << "check " << mark.check);
        SetFocus(other);
        EnableWindow(box, TRUE);
        SendMessageA(box, BM_SETCHECK, mark.check, 0);
        EXPECT_TRUE(BoxShows(box, mark.normal));
        Hover(box);
        EXPECT_TRUE(BoxShows(box, mark.over));
        Press(box);
        EXPECT_TRUE(BoxShows(box, mark.held));
        // Let go outside the box, so that the press does not change the mark.
        SendMessageA(box, WM_LBUTTONUP, 0, MAKELPARAM(-50, -50));
        Leave(box);
        SendMessageA(box, BM_SETCHECK, mark.check, 0);
        EXPECT_TRUE(BoxShows(box, mark.focused));
        EnableWindow(box, FALSE);
        EXPECT_TRUE(BoxShows(box, mark.disabled));
    }

    // A push-like check box is a push button that stays down while checked.
    HWND pushLike = host.Child("Button", "", BS_AUTOCHECKBOX | BS_PUSHLIKE, 10, 40, 90, 26, 0, 102);
    auto pushLikeShows = [&](SkinPart part) {
        return SamePicture(Capture(pushLike), Drawn(90, 26, [&](HDC dc) {
                               const SkinData& skin = LoadOurSkin();
                               RECT all{0, 0, 90, 26}, inner{1, 1, 89, 25};
                               FillRect(dc, &all, skin.BackgroundBrush());
                               DrawPart(dc, inner, skin.Part(part), skin);
                           }));
    };
    EXPECT_TRUE(pushLikeShows(PushButtonNormal));
    SendMessageA(pushLike, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(pushLikeShows(PushButtonHeld));
    EnableWindow(pushLike, FALSE);
    EXPECT_TRUE(pushLikeShows(PushButtonDisabled));
}

TEST(ButtonSkinnerTest, RadioButtonsShowTheRadioPartsAndTheirTextInTheSkinsColours) {
    const SkinData& skin = LoadOurSkin();
    HostWindow host;
    HWND first = host.Child("Button", "MTkan 云播", BS_AUTORADIOBUTTON | WS_GROUP, 10, 10, 160, 20);
    HWND second = host.Child("Button", "", BS_AUTORADIOBUTTON, 10, 40, 160, 20, 0, 101);
    EXPECT_EQ(WindowSkinner::Of(first)->skinType, 1021);
    EXPECT_TRUE(BoxShows(second, SkinPart::RadioNormal));
    SendMessageA(second, BM_SETCHECK, BST_CHECKED, 0);
    EXPECT_TRUE(BoxShows(second, SkinPart::RadioCheckedNormal));
    SetFocus(second);
    EXPECT_TRUE(BoxShows(second, SkinPart::RadioCheckedFocused));
    EnableWindow(second, FALSE);
    EXPECT_TRUE(BoxShows(second, SkinPart::RadioCheckedDisabled));

    // The text starts 2 pixels after the box, in the radio colour; disabled, in its disabled colour.
    const RECT text{1 + skin.Part(SkinPart::RadioNormal).width + 2, 0, 160, 20};
    const RECT box{0, 0, text.left, 20};
    Picture enabled = Capture(first);
    EXPECT_GT(enabled.Count(skin.Colour(SkinColour::RadioText), text), 0);
    EXPECT_EQ(enabled.Count(skin.Colour(SkinColour::RadioText), box), 0);
    EnableWindow(first, FALSE);
    Picture disabled = Capture(first);
    EXPECT_GT(disabled.Count(skin.Colour(SkinColour::RadioTextDisabled), text), 0);
    EXPECT_EQ(disabled.Count(skin.Colour(SkinColour::RadioText), text), 0);
}

TEST(ButtonSkinnerTest, AChangeOfStateIsPaintedAtOnceAndLeavesNothingForALaterPaint) {
    LoadOurSkin();
    HostWindow host;
    HWND push = host.Child("Button", "确定", BS_PUSHBUTTON, 10, 10, 90, 26);
    HWND box = host.Child("Button", "选项", BS_AUTOCHECKBOX, 10, 50, 120, 20, 0, 101);
    for (HWND button : {push, box}) {
        const std::pair<const char*, std::function<void()>> changes[] = {
            {"hover", [&] { Hover(button); }},
            {"press", [&] { Press(button); }},
            {"release", [&] { Release(button); }},
            {"leave", [&] { Leave(button); }},
            {"check", [&] { SendMessageA(button, BM_SETCHECK, BST_UNCHECKED, 0); }},
            {"disable", [&] { EnableWindow(button, FALSE); }},
            {"enable", [&] { EnableWindow(button, TRUE); }},
            {"text", [&] { SetWindowTextA(button, "新的"); }},
        };
        for (const auto& [name, change] : changes) {
            SCOPED_TRACE(name);
            change();
            RECT pending;
            EXPECT_FALSE(GetUpdateRect(button, &pending, FALSE));
            const Picture shown = Capture(button);
            RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
            EXPECT_TRUE(SamePicture(Capture(button), shown));
        }
    }
}

TEST(ButtonSkinnerTest, AButtonThatBecomesOwnerDrawnPaintsThroughABufferOntoTheSkinBackground) {
    const SkinData& skin = LoadOurSkin();
    HostWindow host;
    HWND button = host.Child("Button", "", BS_PUSHBUTTON, 10, 10, 60, 24);
    EXPECT_EQ(WindowSkinner::Of(button)->skinType, 1020);
    SetWindowLongA(button, GWL_STYLE, GetWindowLongA(button, GWL_STYLE) | BS_OWNERDRAW);
    ASSERT_NE(WindowSkinner::Of(button), nullptr);
    EXPECT_EQ(WindowSkinner::Of(button)->skinType, 1036);

    // The owner fills the left half red and writes black text; the right half it leaves alone.
    DWORD drawnInto = 0;
    HWND ownerOfDc = nullptr;
    host.drawItem = [&](const DRAWITEMSTRUCT& item) {
        drawnInto = GetObjectType(item.hDC);
        ownerOfDc = WindowFromDC(item.hDC);
        RECT left{0, 0, 30, 24};
        UniqueGdiObject<HBRUSH> red(CreateSolidBrush(RGB(200, 0, 0)));
        FillRect(item.hDC, &left, red.Get());
        SetTextColor(item.hDC, RGB(0, 0, 0));
        SetBkMode(item.hDC, TRANSPARENT);
        TextOutA(item.hDC, 32, 4, "WM", 2);
    };
    InvalidateRect(button, nullptr, TRUE);
    UpdateWindow(button);
    EXPECT_EQ(drawnInto, static_cast<DWORD>(OBJ_MEMDC));  // the buffer, not the screen
    EXPECT_EQ(ownerOfDc, button);

    const Picture shown = Capture(button);
    const RECT left{0, 0, 30, 24}, right{30, 0, 60, 24};
    EXPECT_EQ(shown.Count(RGB(200, 0, 0), left), 30 * 24);
    EXPECT_EQ(shown.Count(skin.BackgroundColour(), RECT{56, 0, 60, 3}), 4 * 3);  // the skin shows where nothing was drawn
    EXPECT_GT(shown.Count(skin.Colour(SkinColour::StaticText), right), 0);  // black text recoloured
    EXPECT_EQ(shown.Count(RGB(0, 0, 0), right), 0);
}

TEST(ButtonSkinnerTest, AnOwnerDrawnButtonWithAScrollBarStyleWorksTheSkinnedBar) {
    LoadOurSkin();
    HostWindow host;
    HWND button = host.Child("Button", "", BS_OWNERDRAW | WS_VSCROLL, 10, 10, 80, 60);
    ASSERT_NE(WindowSkinner::Of(button), nullptr);
    EXPECT_EQ(WindowSkinner::Of(button)->skinType, 1036);

    SCROLLINFO set{sizeof set, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 99, 10, 40, 0};
    SetScrollInfo(button, SB_VERT, &set, TRUE);
    SCROLLINFO read{sizeof read, SIF_ALL, 0, 0, 0, 0, 0};
    ASSERT_TRUE(GetScrollInfo(button, SB_VERT, &read));
    EXPECT_EQ(read.nPos, 40);
    EXPECT_EQ(read.nPage, 10u);

    // The bar along the right edge belongs to the skinner, not to the system's bar.
    RECT outer;
    GetWindowRect(button, &outer);
    const LPARAM onBar = MAKELPARAM(outer.right - 4, outer.top + 30);
    EXPECT_EQ(SendMessageA(button, WM_NCHITTEST, 0, onBar), HitVerticalBar);
}

}  // namespace
}  // namespace qivyun::skin::test
