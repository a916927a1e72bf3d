// Group boxes drawn from the skin: the frame's top edge through the middle of the caption, a gap 2
// pixels wider than the caption on either side, the caption placed by the alignment, the disabled
// look at once, the caption whole over whatever the parent paints, and the box's DC free for others.
#include "SkinnedWindows.h"
#include "framework/Handles.h"
#include "skin/container/DrawPart.h"
#include "skin/engine/SkinProperties.h"
#include "skin/engine/WindowSkinner.h"

#include <gtest/gtest.h>

#include <cstring>

namespace qivyun::skin::test {
namespace {

constexpr int Width = 172, Height = 185;

SIZE CaptionSize(HWND box, const char* caption) {
    HDC dc = GetDC(box);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(box, WM_GETFONT, 0, 0)));
    RECT measured{0, 0, 0, 0};
    DrawTextA(dc, caption, -1, &measured, DT_CALCRECT);
    SelectObject(dc, previous);
    ReleaseDC(box, dc);
    return SIZE{measured.right, measured.bottom};
}

// The background and the frame part from `top` down, the gap left out.
Picture FrameWithGap(SkinPart frame, int top, const RECT& gap) {
    const SkinData& skin = LoadOurSkin();
    return Drawn(Width, Height, [&](HDC dc) {
        RECT all{0, 0, Width, Height};
        FillRect(dc, &all, skin.BackgroundBrush());
        ExcludeClipRect(dc, gap.left, gap.top, gap.right, gap.bottom);
        DrawPart(dc, RECT{0, top, Width, Height}, skin.Part(frame), skin);
    });
}

TEST(GroupBoxSkinnerTest, TheFrameRunsThroughTheCaptionsMiddleWithAGapTwoPixelsWiderOnEachSide) {
    const SkinData& skin = LoadOurSkin();
    HostWindow host;
    const char caption[] = " 搜索引擎选项 ";
    HWND box = host.Child("Button", caption, BS_GROUPBOX | WS_CLIPSIBLINGS, 10, 10, Width, Height);
    ASSERT_NE(WindowSkinner::Of(box), nullptr);
    EXPECT_EQ(WindowSkinner::Of(box)->skinType, 1008);
    const SIZE text = CaptionSize(box, caption);
    ASSERT_GT(text.cx, 40);

    struct Case {
        DWORD alignment;
        int left;
    };
    for (const Case& c : {Case{0, 10}, Case{BS_CENTER, (Width - int(text.cx)) / 2}, Case{BS_RIGHT, Width - 10 - int(text.cx)}}) {
        SCOPED_TRACE(c.alignment);
        SetWindowLongA(box, GWL_STYLE, (GetWindowLongA(box, GWL_STYLE) & ~BS_CENTER) | c.alignment);
        InvalidateRect(box, nullptr, TRUE);
        UpdateWindow(box);
        const RECT captionBox{c.left, 0, c.left + text.cx, text.cy};
        const RECT gap{captionBox.left - 2, 0, captionBox.right + 2, text.cy};
        const Picture shown = Capture(box);
        // Everything but the caption's own box is the frame with its gap; the caption is in the box.
        EXPECT_TRUE(SamePicture(shown, FrameWithGap(SkinPart::GroupBoxFrame, text.cy / 2, gap), captionBox));
        EXPECT_GT(shown.Count(skin.Colour(SkinColour::GroupBoxCaptionText), captionBox), 0);
    }

    // Without a caption the frame starts 3 pixels down, with no gap.
    SetWindowTextA(box, "");
    UpdateWindow(box);
    EXPECT_TRUE(SamePicture(Capture(box), FrameWithGap(SkinPart::GroupBoxFrame, 3, RECT{})));
}

TEST(GroupBoxSkinnerTest, DisablingAndANewCaptionRedrawAtOnceWithNothingOfTheOldCaptionLeft) {
    const SkinData& skin = LoadOurSkin();
    HostWindow host;
    const char caption[] = " 云点播服务器 ";
    // Not clipped by its siblings: the box leaves its inside to whatever lies there.
    HWND box = host.Child("Button", caption, BS_GROUPBOX, 10, 10, Width, Height);
    const SIZE text = CaptionSize(box, caption);
    const RECT captionBox{10, 0, 10 + text.cx, text.cy};
    EXPECT_GT(Capture(box).Count(skin.Colour(SkinColour::GroupBoxCaptionText), captionBox), 0);

    EnableWindow(box, FALSE);
    const Picture shown = Capture(box);
    EXPECT_TRUE(SamePicture(shown, FrameWithGap(SkinPart::GroupBoxFrameDisabled, text.cy / 2,
                                                RECT{8, 0, captionBox.right + 2, text.cy}),
                            captionBox));
    EXPECT_GT(shown.Count(skin.Colour(SkinColour::GroupBoxCaptionTextDisabled), captionBox), 0);
    EXPECT_EQ(shown.Count(skin.Colour(SkinColour::GroupBoxCaptionText), captionBox), 0);

    // A shorter caption: where the old one was, the frame runs on.
    SetWindowTextA(box, " 引擎 ");
    const SIZE shorter = CaptionSize(box, " 引擎 ");
    const RECT shorterBox{10, 0, 10 + shorter.cx, shorter.cy};
    EXPECT_TRUE(SamePicture(Capture(box), FrameWithGap(SkinPart::GroupBoxFrameDisabled, shorter.cy / 2,
                                                       RECT{8, 0, shorterBox.right + 2, shorter.cy}),
                            shorterBox));
}

TEST(GroupBoxSkinnerTest, TheCaptionStaysWholeOverWhatTheParentPaintsAndRepaintsLeaveItAsItWas) {
    const SkinData& skin = LoadOurSkin();
    HWND parent = CreateWindowExA(0, "#32770", "", WS_POPUP | WS_VISIBLE, 0, 0, 260, 240, nullptr, nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    const char caption[] = " 引擎介绍 ";
    HWND box = CreateWindowExA(0, "Button", caption, WS_CHILD | WS_VISIBLE | BS_GROUPBOX, 10, 10, Width, Height,
                               parent, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(box, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    auto repaint = [](HWND window, UINT children) {
        RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW | children);
    };
    repaint(parent, RDW_ALLCHILDREN);
    const Picture first = Capture(box);
    for (int i = 0; i < 3; ++i) repaint(box, 0);  // over its own caption, which does not grow darker
    EXPECT_TRUE(SamePicture(Capture(box), first));
    repaint(parent, RDW_ALLCHILDREN);  // the parent's background under it first
    EXPECT_TRUE(SamePicture(Capture(box), first));

    const COLORREF yellow = RGB(250, 240, 10);
    SetPropA(parent, BackgroundColourProperty, reinterpret_cast<HANDLE>(UINT_PTR(yellow)));
    repaint(parent, RDW_ALLCHILDREN);
    const SIZE text = CaptionSize(box, caption);
    const RECT captionBox{10, 0, 10 + text.cx, text.cy};
    const Picture shown = Capture(box);
    EXPECT_GT(shown.Count(yellow, captionBox), 0);
    EXPECT_EQ(shown.Count(skin.BackgroundColour(), captionBox), 0);
    EXPECT_GT(shown.Count(skin.Colour(SkinColour::GroupBoxCaptionText), captionBox), 0);
    RemovePropA(parent, BackgroundColourProperty);
    DestroyWindow(parent);
}

TEST(GroupBoxSkinnerTest, WhatOtherCodeDrawsThroughTheBoxsDcReachesTheScreen) {
    LoadOurSkin();
    HostWindow host;
    HWND box = host.Child("Button", " 云点播服务器 ", BS_GROUPBOX, 10, 10, Width, Height);
    HDC dc = GetDC(box);
    UniqueGdiObject<HBRUSH> green(CreateSolidBrush(RGB(0, 200, 0)));
    const RECT spot{40, 60, 60, 80};
    FillRect(dc, &spot, green.Get());
    ReleaseDC(box, dc);
    EXPECT_EQ(Capture(box).Count(RGB(0, 200, 0), spot), 20 * 20);
}

}  // namespace
}  // namespace qivyun::skin::test
