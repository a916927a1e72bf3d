// Every skinned kind repainted again and again: what the skin keeps between paints (its parts'
// drawings, the surfaces it composes in) is made by the first repaints, and no repaint after them
// leaves a GDI object behind.
#include "../support/GdiObjects.h"
#include "../support/ReportList.h"
#include "SkinnedWindows.h"

#include <commctrl.h>
#include <gtest/gtest.h>

namespace qivyun::skin::test {
namespace {

TEST(SkinnedRepaintTest, AThousandRepaintsOfEveryKindHoldExactlyTheGdiObjectsOfTheFirstTen) {
    LoadOurSkin();
    HostWindow host;
    host.drawItem = [](const DRAWITEMSTRUCT& item) {
        FillRect(item.hDC, &item.rcItem, static_cast<HBRUSH>(GetStockObject(GRAY_BRUSH)));
    };
    host.Child("Button", "搜索资源", BS_PUSHBUTTON, 10, 10, 90, 26, 0, 101);
    host.Child("Button", "搜索引擎", BS_AUTOCHECKBOX, 10, 44, 140, 20, 0, 102);
    host.Child("Button", "云播引擎", BS_AUTORADIOBUTTON, 10, 68, 140, 20, 0, 103);
    host.Child("Button", " 搜索引擎选项 ", BS_GROUPBOX, 10, 96, 200, 120, 0, 104);
    host.Child("Button", "", BS_OWNERDRAW, 10, 230, 60, 30, 0, 105);
    host.Child("Edit", "经典 电影", ES_AUTOHSCROLL | WS_BORDER, 220, 10, 300, 24, 0, 106);
    HWND progress = host.Child(PROGRESS_CLASSA, "", 0, 220, 44, 300, 18, 0, 107);
    SendMessageA(progress, PBM_SETPOS, 40, 0);
    qivyun::test::FillReportList(host.Child(WC_LISTVIEWA, "", LVS_REPORT | WS_BORDER, 220, 72, 300, 200, 0, 108),
                                 {"ID", "影片名称", "大小"}, 90, 30);

    auto repaint = [&](int times) {
        for (int i = 0; i < times; ++i)
            RedrawWindow(host.Get(), nullptr, nullptr,
                         RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN | RDW_UPDATENOW);
    };
    repaint(10);
    const int afterTen = qivyun::test::GdiObjectCount();
    repaint(990);
    EXPECT_EQ(qivyun::test::GdiObjectCount(), afterTen);
}

}  // namespace
}  // namespace qivyun::skin::test
