// The result list of the main window with the skin's own scroll bars, filled by real searches
// against the test world: the wheel, the thumb dragged to the last row, and GDI objects that do not
// pile up over repaints and searches.
#include "shell/MainDialog.h"

#include "../support/GdiObjects.h"
#include "../support/Pump.h"
#include "../support/SystemCallRecorder.h"
#include "../support/WindowCapture.h"
#include "shell/ResourceIds.h"
#include "skin/kinds/SkinnedNonClient.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace qivyun {
namespace {

constexpr char Keyword[] = "电影 a";
constexpr char Completed[] = "搜索已完成！";
constexpr int Rows = 23;  // the test world's results for the keyword, three pages

class SkinnedListTest : public testing::Test {
protected:
    void SetUp() override {
        // The pointer waits far from the window, so that no move of the real pointer reaches a drag.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        dialog = std::make_unique<MainDialog>(
            StartupCheckSettings{"http://127.0.0.1:9/QivYun/QivYunUpdate.txt", "qivyun-skinned-list.ini", "", ""});
        ASSERT_TRUE(dialog->Create(nullptr));
        ASSERT_TRUE(test::PumpUntil([&] { return dialog->IsVisible(); }));
        list = dialog->Item(IDC_RESULT_LIST);
    }

    void Click(int id) {
        SendMessageA(dialog->Handle(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(dialog->Item(id)));
    }
    bool Completes() {
        return test::PumpUntil([&] { return dialog->ItemText(IDC_SEARCH_STATUS).rfind(Completed, 0) == 0; }, 15000);
    }
    void Search() {
        dialog->SetItemText(IDC_KEYWORD, Keyword);
        Click(IDC_SEARCH);
        ASSERT_TRUE(Completes());
    }
    // Every page of rows: more than the list shows at once.
    void FillList() {
        ASSERT_NO_FATAL_FAILURE(Search());
        dialog->SetItemText(IDC_SEARCH_STATUS, "");
        Click(IDC_LOAD_MORE);
        ASSERT_TRUE(Completes());
        ASSERT_EQ(ListView_GetItemCount(list), Rows);
        test::PumpFor(200);
    }
    int TopRow() const { return ListView_GetTopIndex(list); }

    // The skinned vertical bar on the screen.
    RECT VerticalBar() const {
        RECT client;
        GetClientRect(list, &client);
        MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&client), 2);
        return {client.right, client.top, client.right + 16, client.bottom};
    }

    test::SystemCallRecorder calls;
    std::unique_ptr<MainDialog> dialog;
    HWND list = nullptr;
};

TEST_F(SkinnedListTest, ASearchedListScrollsOneLinePerWheelMessageAndToItsLastRowWithTheSkinnedBar) {
    ASSERT_NO_FATAL_FAILURE(FillList());
    ASSERT_TRUE(GetWindowLongA(list, GWL_STYLE) & WS_VSCROLL) << "the list shows its vertical bar";
    const int perPage = ListView_GetCountPerPage(list);
    ASSERT_LT(perPage, Rows - 2);
    SCROLLINFO info{};
    info.cbSize = sizeof info;
    info.fMask = SIF_ALL;
    ASSERT_TRUE(GetScrollInfo(list, SB_VERT, &info));
    EXPECT_EQ(info.nMax, Rows - 1);
    EXPECT_EQ(info.nPage, static_cast<UINT>(perPage));
    EXPECT_EQ(info.nPos, 0);
    EXPECT_EQ(SendMessageA(list, WM_NCHITTEST, 0, MAKELPARAM(VerticalBar().left + 8, VerticalBar().top + 30)),
              skin::HitVerticalBar);

    auto turn = [&](int delta) {
        return SendMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), MAKELPARAM(VerticalBar().left - 50, VerticalBar().top + 50));
    };
    EXPECT_EQ(turn(-120), 0);
    EXPECT_EQ(TopRow(), 1);
    turn(-360);  // three notches at once are still one line
    EXPECT_EQ(TopRow(), 2);
    turn(120);
    turn(120);
    turn(120);  // at the top already
    EXPECT_EQ(TopRow(), 0);

    // The thumb, grabbed just below the up arrow, dragged to just above the down arrow.
    const RECT bar = VerticalBar();
    auto clientPoint = [&](int y) {
        POINT point{bar.left + 8, y};
        ScreenToClient(list, &point);
        return MAKELPARAM(point.x, point.y);
    };
    PostMessageA(list, WM_MOUSEMOVE, 0, clientPoint(bar.top + 60));
    PostMessageA(list, WM_MOUSEMOVE, 0, clientPoint(bar.bottom - 17));
    PostMessageA(list, WM_LBUTTONUP, 0, clientPoint(bar.bottom - 17));
    SendMessageA(list, WM_NCLBUTTONDOWN, skin::HitVerticalBar, MAKELPARAM(bar.left + 8, bar.top + 18));
    test::PumpFor(200);

    EXPECT_EQ(TopRow(), Rows - perPage);
    EXPECT_EQ(GetScrollPos(list, SB_VERT), Rows - perPage);
    RECT last, client;
    ASSERT_TRUE(ListView_GetItemRect(list, Rows - 1, &last, LVIR_BOUNDS));
    GetClientRect(list, &client);
    EXPECT_LE(last.bottom, client.bottom) << "the last row is whole in the list";
    test::SaveWindowPng(dialog->Handle(), test::ScreensFolder() + "/search-scrolled.png");
}

TEST_F(SkinnedListTest, GdiObjectsStayFlatOverRepaintsAndSearches) {
    // The count sees objects come and go.
    const int start = test::GdiObjectCount();
    ASSERT_GT(start, 0);
    HBRUSH brushes[10];
    for (HBRUSH& brush : brushes) brush = CreateSolidBrush(RGB(1, 2, 3));
    EXPECT_EQ(test::GdiObjectCount(), start + 10);
    for (HBRUSH brush : brushes) DeleteObject(brush);
    EXPECT_EQ(test::GdiObjectCount(), start);

    // Whatever is made once (fonts, the popup's pictures) is made by a first search and repaint.
    ASSERT_NO_FATAL_FAILURE(FillList());
    RedrawWindow(dialog->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    test::PumpFor(300);
    const int before = test::GdiObjectCount();
    for (int i = 0; i < 100; ++i) {
        RedrawWindow(dialog->Handle(), nullptr, nullptr,
                     RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
        SendMessageA(list, WM_VSCROLL, i % 2 ? SB_LINEUP : SB_LINEDOWN, 0);
    }
    test::PumpFor(100);
    EXPECT_EQ(test::GdiObjectCount(), before) << "after 100 repaints";
    for (int i = 0; i < 20; ++i) ASSERT_NO_FATAL_FAILURE(Search());
    test::PumpFor(500);
    EXPECT_EQ(test::GdiObjectCount(), before) << "after 20 searches";
}

}  // namespace
}  // namespace qivyun
