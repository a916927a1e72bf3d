// Progress bars drawn from the skin: the trough over the whole control, the bar over the share the
// position fills, truncated to whole percent, inside the trough's margins.
#include "SkinnedWindows.h"
#include "skin/container/DrawPart.h"
#include "skin/engine/WindowSkinner.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace qivyun::skin::test {
namespace {

// The trough over w x h and, unless `bar` is empty, the bar part over it.
Picture TroughAndBar(int w, int h, SkinPart trough, SkinPart barPart, RECT bar) {
    const SkinData& skin = LoadOurSkin();
    return Drawn(w, h, [&](HDC dc) {
        RECT all{0, 0, w, h};
        FillRect(dc, &all, skin.BackgroundBrush());
        DrawPart(dc, all, skin.Part(trough), skin);
        if (!IsRectEmpty(&bar)) DrawPart(dc, bar, skin.Part(barPart), skin);
    });
}

TEST(ProgressSkinnerTest, TheBarCoversTheTruncatedShareOfTheWholeControlInsideTheTroughMargins) {
    LoadOurSkin();
    HostWindow host;
    // 300 pixels wide with its edge: the edge is the skinner's too, so the share is of 300.
    HWND progress = host.Child(PROGRESS_CLASSA, "", 0, 10, 10, 300, 13, WS_EX_CLIENTEDGE);
    ASSERT_NE(WindowSkinner::Of(progress), nullptr);
    EXPECT_EQ(WindowSkinner::Of(progress)->skinType, 1019);
    SendMessageA(progress, PBM_SETRANGE32, 0, 4000);

    using enum SkinPart;
    struct Case {
        int position, filled;
    };
    // The trough's margins are 4, 3, 4, 3: the bar runs from 4 to filled - 4, rows 3 to 10.
    for (const Case& c : {Case{200, 15}, Case{3999, 297}, Case{4000, 300}, Case{2000, 150}}) {
        SCOPED_TRACE(c.position);
        SendMessageA(progress, PBM_SETPOS, c.position, 0);
        UpdateWindow(progress);
        EXPECT_TRUE(SamePicture(Capture(progress), TroughAndBar(300, 13, ProgressTrough, ProgressBar,
                                                                RECT{4, 3, c.filled - 4, 10})));
    }
    SendMessageA(progress, PBM_SETPOS, 0, 0);
    UpdateWindow(progress);
    EXPECT_TRUE(SamePicture(Capture(progress), TroughAndBar(300, 13, ProgressTrough, ProgressBar, RECT{})));

    SendMessageA(progress, PBM_SETPOS, 2000, 0);
    UpdateWindow(progress);
    EnableWindow(progress, FALSE);
    EXPECT_TRUE(SamePicture(Capture(progress),
                            TroughAndBar(300, 13, ProgressTroughDisabled, ProgressBarDisabled, RECT{4, 3, 146, 10})));

    // Equal limits: the trough alone, wherever the position is.
    EnableWindow(progress, TRUE);
    SendMessageA(progress, PBM_SETRANGE32, 7, 7);
    SendMessageA(progress, PBM_SETPOS, 7, 0);
    UpdateWindow(progress);
    EXPECT_TRUE(SamePicture(Capture(progress), TroughAndBar(300, 13, ProgressTrough, ProgressBar, RECT{})));
}

TEST(ProgressSkinnerTest, AVerticalBarGrowsUpwardsInTheVerticalParts) {
    LoadOurSkin();
    HostWindow host;
    HWND progress = host.Child(PROGRESS_CLASSA, "", PBS_VERTICAL, 10, 10, 13, 200);
    SendMessageA(progress, PBM_SETRANGE32, 0, 4000);
    SendMessageA(progress, PBM_SETPOS, 1000, 0);  // a quarter: 50 of 200 rows
    UpdateWindow(progress);
    // Margins 3, 4, 3, 4: from row 150 + 4 down to 200 - 4.
    EXPECT_TRUE(SamePicture(Capture(progress), TroughAndBar(13, 200, SkinPart::ProgressTroughVertical,
                                                             SkinPart::ProgressBarVertical, RECT{3, 154, 10, 196})));
}

}  // namespace
}  // namespace qivyun::skin::test
