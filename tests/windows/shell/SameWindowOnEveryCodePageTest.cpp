// The main window after a search, started against the test world, as the user sees it: taken under
// every system code page the tests run under and compared, pixel for pixel, with the one taken under
// 936 (CTest runs the 936 picture first). Only the counters of the status line, which count every
// start, are left out of the comparison.
#include "shell/MainDialog.h"

#include "../support/CodePagePicture.h"
#include "../support/Pump.h"
#include "../support/ScratchFolder.h"
#include "../support/SystemCallRecorder.h"
#include "../support/WindowCapture.h"
#include "BuildConfig.h"
#include "common/CodePage.h"
#include "framework/DeviceContext.h"
#include "shell/ResourceIds.h"
#include "versioncheck/Manifest.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <string>

namespace qivyun {
namespace {

class SearchedWindow {
public:
    explicit SearchedWindow(const std::string& folder)
        : dialog(StartupCheckSettings{std::string(config::UpdateServerAddress) + ManifestServerPath,
                                      folder + "\\QivYunUpdate.ini", QIVYUN_PUBLISHED_PLAYER,
                                      folder + "\\QivYunUpdate.exe"}) {}

    // The start-up check's line, then a search whose rows came page after page: each row's ID is its
    // number on the site, so the list reads the same in every run.
    bool SearchedInOrder() {
        // The pointer waits far from the window, so that nothing shows its hover look.
        SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, GetSystemMetrics(SM_CYSCREEN) - 1);
        if (!dialog.Exists() && !dialog.Create(nullptr)) return false;
        if (!test::PumpUntil([&] { return !dialog.StartupCheckWorker().IsRunning(); }, 20000)) return false;
        for (int attempt = 0; attempt < 3; ++attempt) {
            SetWindowTextW(dialog.Item(IDC_KEYWORD), L"\u7ECF\u5178 \u7535\u5F71");  // 经典 电影
            dialog.SetItemText(IDC_SEARCH_STATUS, "");
            SendMessageW(dialog.Handle(), WM_COMMAND, MAKEWPARAM(IDC_SEARCH, BN_CLICKED), 0);
            if (!test::PumpUntil([&] { return dialog.ItemText(IDC_SEARCH_STATUS).rfind("搜索已完成！", 0) == 0; }, 15000))
                return false;
            if (RowsInSiteOrder()) return true;
        }
        return false;
    }

    bool RowsInSiteOrder() {
        const ListView& list = dialog.SearchPanel().ResultList();
        for (int row = 0; row < list.RowCount(); ++row) {
            const std::string name = list.CellText(row, 1);
            const size_t mark = name.find("第");
            if (mark == std::string::npos || std::atoi(name.c_str() + mark + 2) != std::atoi(list.CellText(row, 0).c_str()))
                return false;
        }
        return list.RowCount() == 20;
    }

    // The window as the screen shows it, the status line from its counters on painted over.
    std::unique_ptr<test::DibCanvas> Picture() {
        SetFocus(dialog.Item(IDC_RESULT_LIST));  // no caret blinking in the keyword box
        test::PumpFor(700);
        std::unique_ptr<test::DibCanvas> picture = test::CaptureWindow(dialog.Handle());
        const HWND status = dialog.Item(IDC_STATUS_LINE);
        const std::wstring line = WideFromGbk(dialog.ItemText(IDC_STATUS_LINE));
        const size_t counters = line.find(L"Accumulative");
        SIZE before{};
        {
            ClientDc dc(status);
            SelectedObject font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageW(status, WM_GETFONT, 0, 0)));
            GetTextExtentPoint32W(dc.Get(), line.c_str(), static_cast<int>(std::min(counters, line.size())), &before);
        }
        RECT place, window = dialog.WindowRect();
        GetWindowRect(status, &place);
        OffsetRect(&place, -window.left, -window.top);
        place.left += std::max(0L, before.cx - 4);
        FillRect(picture->Dc(), &place, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
        return picture;
    }

    MainDialog dialog;
};

TEST(SameWindowOnEveryCodePage, MainWindowAfterASearch) {
    test::ScratchFolder folder("qivyun-picture");
    test::SystemCallRecorder calls;
    SearchedWindow window(folder.Path());
    ASSERT_TRUE(window.SearchedInOrder());
    EXPECT_EQ(window.dialog.ItemText(IDC_STATUS_LINE).rfind("   连接到远程服务器成功", 0), 0u);
    EXPECT_TRUE(calls.messageBoxes.empty());
    EXPECT_TRUE(test::SameAsUnder936(*window.Picture(), "after-search"));
}

}  // namespace
}  // namespace qivyun
