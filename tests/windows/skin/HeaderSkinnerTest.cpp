// Column headers drawn from the skin: the column under the pointer lit by its display position,
// pressed while the button is held, every column disabled with the header, texts in the colour of
// their column's part.
#include "SkinnedWindows.h"
#include "skin/container/DrawPart.h"
#include "skin/engine/WindowSkinner.h"

#include <commctrl.h>
#include <gtest/gtest.h>

#include <vector>

namespace qivyun::skin::test {
namespace {

// The header's picture with one part per display position, columns given left to right.
Picture HeaderWith(HWND header, const std::vector<RECT>& columns, const std::vector<SkinPart>& parts) {
    const SkinData& skin = LoadOurSkin();
    RECT all;
    GetWindowRect(header, &all);
    OffsetRect(&all, -all.left, -all.top);
    return Drawn(all.right, all.bottom, [&](HDC dc) {
        DrawPart(dc, all, skin.Part(SkinPart::HeaderItem), skin);
        for (size_t i = 0; i < columns.size(); ++i) DrawPart(dc, columns[i], skin.Part(parts[i]), skin);
    });
}

void PointAt(HWND header, const RECT& column) {
    POINT centre{(column.left + column.right) / 2, (column.top + column.bottom) / 2};
    ClientToScreen(header, &centre);
    SetCursorPos(centre.x, centre.y);
    SendMessageA(header, WM_MOUSEHOVER, 0, 0);
}

TEST(HeaderSkinnerTest, TheColumnUnderThePointerLightsByDisplayPositionAfterAReorder) {
    const SkinData& skin = LoadOurSkin();
    HostWindow host;
    HWND list = host.Child(WC_LISTVIEWA, "", LVS_REPORT, 10, 10, 400, 200, WS_EX_CLIENTEDGE);
    for (int width : {60, 100, 80}) {
        LVCOLUMNA column{};
        column.mask = LVCF_WIDTH;
        column.cx = width;
        SendMessageA(list, LVM_INSERTCOLUMNA, 10, reinterpret_cast<LPARAM>(&column));
    }
    int order[] = {2, 0, 1};
    SendMessageA(list, LVM_SETCOLUMNORDERARRAY, 3, reinterpret_cast<LPARAM>(order));
    auto header = reinterpret_cast<HWND>(SendMessageA(list, LVM_GETHEADER, 0, 0));
    ASSERT_NE(WindowSkinner::Of(header), nullptr);
    EXPECT_EQ(WindowSkinner::Of(header)->skinType, 1009);
    InvalidateRect(header, nullptr, TRUE);
    UpdateWindow(header);

    // Display positions left to right: item 2 (80 wide), item 0 (60), item 1 (100).
    std::vector<RECT> columns;
    for (int index : order) {
        RECT rect{};
        SendMessageA(header, HDM_GETITEMRECT, index, reinterpret_cast<LPARAM>(&rect));
        columns.push_back(rect);
    }
    ASSERT_EQ(columns[0].left, 0);
    ASSERT_EQ(columns[0].right, 80);
    using enum SkinPart;
    EXPECT_TRUE(SamePicture(Capture(header), HeaderWith(header, columns, {HeaderItem, HeaderItem, HeaderItem})));

    PointAt(header, columns[0]);  // over item 2, the first column shown
    EXPECT_TRUE(SamePicture(Capture(header), HeaderWith(header, columns, {HeaderItemOver, HeaderItem, HeaderItem})));
    SendMessageA(header, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 5));
    EXPECT_TRUE(SamePicture(Capture(header), HeaderWith(header, columns, {HeaderItemHeld, HeaderItem, HeaderItem})));
    SendMessageA(header, WM_LBUTTONUP, 0, MAKELPARAM(40, 5));
    EXPECT_TRUE(SamePicture(Capture(header), HeaderWith(header, columns, {HeaderItemOver, HeaderItem, HeaderItem})));
    PointAt(header, columns[2]);
    EXPECT_TRUE(SamePicture(Capture(header), HeaderWith(header, columns, {HeaderItem, HeaderItem, HeaderItemOver})));
    SendMessageA(header, WM_MOUSELEAVE, 0, 0);
    EXPECT_TRUE(SamePicture(Capture(header), HeaderWith(header, columns, {HeaderItem, HeaderItem, HeaderItem})));

    // Titles take the colour of their column's part.
    for (auto [index, title] : {std::pair{2, "影片名称"}, std::pair{0, "大小"}}) {
        HDITEMA item{};
        item.mask = HDI_TEXT;
        item.pszText = const_cast<char*>(title);
        SendMessageA(header, HDM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
    }
    PointAt(header, columns[0]);
    Picture titled = Capture(header);
    EXPECT_GT(titled.Count(skin.Colour(SkinColour::HeaderTextOver), columns[0]), 0);
    EXPECT_EQ(titled.Count(skin.Colour(SkinColour::HeaderText), columns[0]), 0);
    EXPECT_GT(titled.Count(skin.Colour(SkinColour::HeaderText), columns[1]), 0);

    // A disabled header draws every column disabled, whatever the pointer does.
    EnableWindow(header, FALSE);
    Picture disabled = Capture(header);
    EXPECT_GT(disabled.Count(skin.Colour(SkinColour::HeaderTextDisabled), columns[0]), 0);
    EXPECT_EQ(disabled.Count(skin.Colour(SkinColour::HeaderTextOver), columns[0]), 0);
    for (int index : {2, 0}) {
        HDITEMA item{};
        item.mask = HDI_TEXT;
        item.pszText = const_cast<char*>("");
        SendMessageA(header, HDM_SETITEMA, index, reinterpret_cast<LPARAM>(&item));
    }
    PointAt(header, columns[1]);
    UpdateWindow(header);
    EXPECT_TRUE(SamePicture(Capture(header),
                            HeaderWith(header, columns, {HeaderItemDisabled, HeaderItemDisabled, HeaderItemDisabled})));
    SetCursorPos(1000, 700);
}

}  // namespace
}  // namespace qivyun::skin::test
