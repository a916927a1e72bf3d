// The skinners of combo boxes, scroll-bar controls, up-down controls and trackbars in-process with
// our skin: each attaches by its class, shows the skin's parts where its rule puts them in two
// states, and the control still does its job when the user works it.
#include "SkinnedWindows.h"
#include "skin/container/DrawPart.h"
#include "skin/engine/SkinProperties.h"
#include "skin/engine/WindowSkinner.h"

#include "../support/Pump.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace qivyun::skin::test {
namespace {

struct Heard {
    UINT message;
    int code;      // the scroll code, or the notification code
    int position;  // a scroll message's high word
};

// The face part over a rectangle and the glyph part in its middle (moved by `shift`), on the skin's
// background or a colour of the skin: a small button as the rule draws it.
Picture SmallButton(int width, int height, SkinPart face, SkinPart glyph, int shift = 0,
                    std::optional<SkinColour> ground = std::nullopt) {
    const SkinData& skin = LoadOurSkin();
    return Drawn(width, height, [&](HDC dc) {
        RECT all{0, 0, width, height};
        if (ground) {
            HBRUSH brush = CreateSolidBrush(skin.Colour(*ground));
            FillRect(dc, &all, brush);
            DeleteObject(brush);
        } else {
            FillRect(dc, &all, skin.BackgroundBrush());
        }
        DrawPart(dc, all, skin.Part(face), skin);
        const ImagePart& picture = skin.Part(glyph);
        const int left = (width - picture.width) / 2 + shift, top = (height - picture.height) / 2 + shift;
        RECT at{left, top, left + picture.width, top + picture.height};
        DrawPart(dc, at, skin.Part(glyph), skin);
    });
}

// A colour as the pictures hold it, 0x00RRGGBB.
uint32_t PixelOf(COLORREF colour) {
    return uint32_t{GetRValue(colour)} << 16 | uint32_t{GetGValue(colour)} << 8 | GetBValue(colour);
}

TEST(CommonControlsTest, ScrollBarControlDrawsTheSkinsBarAndItsThumbDragReachesTheParent) {
    LoadOurSkin();
    HostWindow host;
    std::vector<Heard> heard;
    host.heard = [&](UINT message, WPARAM wParam, LPARAM lParam) {
        if (message != WM_HSCROLL) return;
        heard.push_back({message, LOWORD(wParam), static_cast<int>(static_cast<short>(HIWORD(wParam)))});
        const auto bar = reinterpret_cast<HWND>(lParam);
        if (LOWORD(wParam) == SB_THUMBTRACK || LOWORD(wParam) == SB_THUMBPOSITION)
            SetScrollPos(bar, SB_CTL, HIWORD(wParam), TRUE);
    };
    HWND bar = host.Child("ScrollBar", "", SBS_HORZ, 10, 10, 200, 17);
    ASSERT_NE(WindowSkinner::Of(bar), nullptr);
    EXPECT_EQ(WindowSkinner::Of(bar)->skinType, 1024);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 20, 0, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    UpdateWindow(bar);
    // Square arrows as thick as the bar at both ends.
    EXPECT_TRUE(SamePicture(Capture(bar, {0, 0, 17, 17}), PartOnBackground(17, 17, SkinPart::ScrollLeftNormal)));
    EXPECT_TRUE(SamePicture(Capture(bar, {183, 0, 200, 17}), PartOnBackground(17, 17, SkinPart::ScrollRightNormal)));

    // Track 166 long, thumb MulDiv(19, 166, 100) = 32 at its start: grabbed in its middle and moved
    // 40 pixels, it stands for 40 * 81 / 134 = 24.
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(33, 8));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(53, 8));
    SendMessageA(bar, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(73, 8));
    SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(73, 8));
    ASSERT_GE(heard.size(), 3u);
    EXPECT_EQ(heard.back().code, SB_ENDSCROLL);
    EXPECT_EQ(heard[heard.size() - 2].code, SB_THUMBPOSITION);
    EXPECT_EQ(heard[heard.size() - 2].position, 24);
    EXPECT_EQ(heard.front().code, SB_THUMBTRACK);
    EXPECT_EQ(GetScrollPos(bar, SB_CTL), 24);
    // The parent's SetScrollPos leaves the drawing to the skin.
    UpdateWindow(bar);
    EXPECT_TRUE(SamePicture(Capture(bar, {0, 0, 17, 17}), PartOnBackground(17, 17, SkinPart::ScrollLeftNormal)));

    // An arrow press sends its line code at once.
    heard.clear();
    SendMessageA(bar, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(190, 8));
    SendMessageA(bar, WM_LBUTTONUP, 0, MAKELPARAM(190, 8));
    ASSERT_EQ(heard.size(), 2u);
    EXPECT_EQ(heard[0].code, SB_LINEDOWN);
    EXPECT_EQ(heard[1].code, SB_ENDSCROLL);

    EnableWindow(bar, FALSE);
    UpdateWindow(bar);
    EXPECT_TRUE(SamePicture(Capture(bar, {0, 0, 17, 17}), PartOnBackground(17, 17, SkinPart::ScrollLeftDisabled)));
}

TEST(CommonControlsTest, UpDownDrawsTwoSmallButtonsAndAClickStepsItsBuddy) {
    LoadOurSkin();
    HostWindow host;
    HWND buddy = host.Child("Edit", "", ES_NUMBER | WS_BORDER, 10, 10, 60, 24);
    HWND spin = host.Child(UPDOWN_CLASSA, "", UDS_SETBUDDYINT, 80, 10, 17, 24);
    ASSERT_NE(WindowSkinner::Of(spin), nullptr);
    EXPECT_EQ(WindowSkinner::Of(spin)->skinType, 1026);
    SendMessageA(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageA(spin, UDM_SETRANGE32, 0, 99);
    SendMessageA(spin, UDM_SETPOS32, 0, 12);
    InvalidateRect(spin, nullptr, FALSE);
    UpdateWindow(spin);
    // The system keeps an up-down control at its own width.
    RECT client;
    GetClientRect(spin, &client);
    const int w = client.right;
    EXPECT_TRUE(SamePicture(Capture(spin, {0, 0, w, 12}), SmallButton(w, 12, SkinPart::SmallButtonNormal, SkinPart::GlyphUp)));
    EXPECT_TRUE(SamePicture(Capture(spin, {0, 12, w, 24}),
                            SmallButton(w, 12, SkinPart::SmallButtonNormal, SkinPart::GlyphDown)));

    SendMessageA(spin, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(8, 4));
    UpdateWindow(spin);
    // Held with the pointer on it: pressed, its glyph a pixel down and right.
    EXPECT_TRUE(SamePicture(Capture(spin, {0, 0, w, 12}),
                            SmallButton(w, 12, SkinPart::SmallButtonHeld, SkinPart::GlyphUp, 1)));
    SendMessageA(spin, WM_LBUTTONUP, 0, MAKELPARAM(8, 4));
    EXPECT_EQ(SendMessageA(spin, UDM_GETPOS32, 0, 0), 13);
    char text[8] = {};
    GetWindowTextA(buddy, text, sizeof text);
    EXPECT_STREQ(text, "13");

    EnableWindow(spin, FALSE);
    UpdateWindow(spin);
    EXPECT_TRUE(SamePicture(Capture(spin, {0, 12, w, 24}),
                            SmallButton(w, 12, SkinPart::SmallButtonDisabled, SkinPart::GlyphDownDisabled)));
}

TEST(CommonControlsTest, TrackbarThumbStandsWhereTheSystemPutsItAndFollowsADrag) {
    LoadOurSkin();
    HostWindow host;
    std::vector<Heard> heard;
    host.heard = [&](UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_HSCROLL) heard.push_back({message, LOWORD(wParam), HIWORD(wParam)});
    };
    HWND track = host.Child(TRACKBAR_CLASSA, "", TBS_AUTOTICKS, 10, 10, 230, 34);
    ASSERT_NE(WindowSkinner::Of(track), nullptr);
    EXPECT_EQ(WindowSkinner::Of(track)->skinType, 1031);
    SendMessageA(track, TBM_SETRANGE, TRUE, MAKELPARAM(0, 10));
    SendMessageA(track, TBM_SETPOS, TRUE, 3);
    UpdateWindow(track);
    RECT thumb{};
    SendMessageA(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    const int w = thumb.right - thumb.left, h = thumb.bottom - thumb.top;
    ASSERT_GT(w, 0);
    EXPECT_TRUE(SamePicture(Capture(track, thumb), PartOnBackground(w, h, SkinPart::TrackbarThumb)));

    // Grabbed in its middle: the held thumb; dragged past the end: the last value.
    const int x = (thumb.left + thumb.right) / 2, y = (thumb.top + thumb.bottom) / 2;
    SendMessageA(track, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
    UpdateWindow(track);
    EXPECT_TRUE(SamePicture(Capture(track, thumb), PartOnBackground(w, h, SkinPart::TrackbarThumbHeld)));
    SendMessageA(track, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(x + 60, y));
    SendMessageA(track, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(400, y));
    SendMessageA(track, WM_LBUTTONUP, 0, MAKELPARAM(400, y));
    EXPECT_EQ(SendMessageA(track, TBM_GETPOS, 0, 0), 10);
    ASSERT_FALSE(heard.empty());
    EXPECT_EQ(heard.front().code, TB_THUMBTRACK);
    EXPECT_EQ(heard.back().code, TB_ENDTRACK);

    UpdateWindow(track);
    SendMessageA(track, TBM_GETTHUMBRECT, 0, reinterpret_cast<LPARAM>(&thumb));
    EXPECT_TRUE(SamePicture(Capture(track, thumb), PartOnBackground(w, h, SkinPart::TrackbarThumb)));
    EnableWindow(track, FALSE);
    UpdateWindow(track);
    EXPECT_TRUE(SamePicture(Capture(track, thumb), PartOnBackground(w, h, SkinPart::TrackbarThumbDisabled)));
}

TEST(CommonControlsTest, ComboBoxDrawsItsFrameAndButtonAndSelectsByKeyboardAndByItsList) {
    const SkinData& skin = LoadOurSkin();
    HostWindow host;
    std::vector<int> notes;
    host.heard = [&](UINT message, WPARAM wParam, LPARAM) {
        if (message == WM_COMMAND && HIWORD(wParam) == CBN_SELCHANGE) notes.push_back(CBN_SELCHANGE);
    };
    HWND combo = host.Child("ComboBox", "", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP, 10, 10, 160, 200);
    ASSERT_NE(WindowSkinner::Of(combo), nullptr);
    EXPECT_EQ(WindowSkinner::Of(combo)->skinType, 1003);
    for (const char* item : {"one", "two", "three", "four", "five"})
        SendMessageA(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item));
    SendMessageA(combo, CB_SETCURSEL, 0, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    ASSERT_TRUE(GetComboBoxInfo(combo, &info));
    // The list is the system's, drawn by the scrollable kind, and knows its combo box.
    ASSERT_NE(WindowSkinner::Of(info.hwndList), nullptr);
    EXPECT_EQ(WindowSkinner::Of(info.hwndList)->skinType, 1004);
    EXPECT_EQ(GetPropA(info.hwndList, ComboSkinnerProperty), WindowSkinner::Of(combo));

    SetFocus(nullptr);
    RedrawWindow(combo, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    const RECT button = info.rcButton;
    const int bw = button.right - button.left, bh = button.bottom - button.top;
    EXPECT_TRUE(SamePicture(Capture(combo, button), SmallButton(bw, bh, SkinPart::SmallButtonNormal, SkinPart::GlyphDown, 0, SkinColour::BorderFill)));
    EXPECT_EQ(Capture(combo, {0, 0, 1, 1}).At(0, 0), PixelOf(skin.Colour(SkinColour::BorderPen)));

    // By keyboard: the next item, and the parent hears of it.
    SetFocus(combo);
    UpdateWindow(combo);
    EXPECT_EQ(Capture(combo, {0, 0, 1, 1}).At(0, 0), PixelOf(skin.Colour(SkinColour::BorderPenFocused)));
    SendMessageA(combo, WM_KEYDOWN, VK_DOWN, 0);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(notes.size(), 1u);

    // By its list: opened, the button held; a click on the fourth item chooses it and closes it.
    SendMessageA(combo, CB_SHOWDROPDOWN, TRUE, 0);
    ASSERT_TRUE(IsWindowVisible(info.hwndList));
    UpdateWindow(combo);
    EXPECT_TRUE(SamePicture(Capture(combo, button), SmallButton(bw, bh, SkinPart::SmallButtonHeld, SkinPart::GlyphDown, 1, SkinColour::BorderFill)));
    RECT item{};
    SendMessageA(info.hwndList, LB_GETITEMRECT, 3, reinterpret_cast<LPARAM>(&item));
    const LPARAM at = MAKELPARAM((item.left + item.right) / 2, (item.top + item.bottom) / 2);
    SendMessageA(info.hwndList, WM_MOUSEMOVE, 0, at);
    SendMessageA(info.hwndList, WM_LBUTTONDOWN, MK_LBUTTON, at);
    SendMessageA(info.hwndList, WM_LBUTTONUP, 0, at);
    qivyun::test::PumpFor(50);
    EXPECT_EQ(SendMessageA(combo, CB_GETCURSEL, 0, 0), 3);
    EXPECT_FALSE(IsWindowVisible(info.hwndList));
    EXPECT_GE(notes.size(), 2u);

    EnableWindow(combo, FALSE);
    UpdateWindow(combo);
    EXPECT_TRUE(SamePicture(Capture(combo, button),
                            SmallButton(bw, bh, SkinPart::SmallButtonDisabled, SkinPart::GlyphDownDisabled, 0,
                                        SkinColour::BorderFillDisabled)));
}

}  // namespace
}  // namespace qivyun::skin::test
