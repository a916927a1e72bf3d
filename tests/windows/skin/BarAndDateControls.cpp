#include "BarAndDateControls.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>

namespace qivyun::skin::test {
namespace {

HeardFromChildren* listener = nullptr;
WNDPROC hostProcedure = nullptr;

LRESULT CALLBACK Listening(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (listener && message == WM_NOTIFY) listener->notifications.push_back(reinterpret_cast<NMHDR*>(lParam)->code);
    if (listener && message == WM_COMMAND) listener->commands.push_back(LOWORD(wParam));
    return CallWindowProcA(hostProcedure, window, message, wParam, lParam);
}

HWND Make(HWND host, const wchar_t* className, DWORD style, int x, int y, int width, int height, int id) {
    HWND control = CreateWindowExW(0, className, L"", WS_CHILD | WS_VISIBLE | style, x, y, width, height, host,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
    SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return control;
}

constexpr SYSTEMTIME FifteenthOfMarch{2026, 3, 0, 15, 10, 30, 0, 0};

}  // namespace

bool HeardFromChildren::Heard(UINT code) const {
    return std::find(notifications.begin(), notifications.end(), code) != notifications.end();
}

void ListenToChildren(HWND host, HeardFromChildren& heard) {
    listener = &heard;
    const auto previous = reinterpret_cast<WNDPROC>(SetWindowLongPtrA(host, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Listening)));
    if (previous != &Listening) hostProcedure = previous;
}

HWND MakeStatusBar(HWND host) {
    HWND bar = Make(host, STATUSCLASSNAMEW, SBARS_SIZEGRIP, 0, 0, 0, 0, 300);
    const int ends[] = {120, 240, -1};
    SendMessageW(bar, SB_SETPARTS, std::size(ends), reinterpret_cast<LPARAM>(ends));
    SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"就绪"));
    SendMessageW(bar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"\t共 12 项"));
    SendMessageW(bar, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(L"\t\t已连接"));
    return bar;
}

HWND MakeTabs(HWND host, int x, int y, int width, int height, DWORD style) {
    HWND tabs = Make(host, WC_TABCONTROLW, style | WS_TABSTOP, x, y, width, height, 301);
    const wchar_t* titles[] = {L"常规", L"高级", L"关于"};
    for (int index = 0; index < 3; ++index) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(titles[index]);
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
    return tabs;
}

HWND MakeToolbar(HWND host, DWORD style) {
    HWND toolbar = Make(host, TOOLBARCLASSNAMEW, style | CCS_TOP | CCS_NODIVIDER, 0, 0, 0, 0, 302);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    // The system's own small pictures: open, properties, find.
    SendMessageW(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    TBBUTTON buttons[] = {
        {STD_FILEOPEN, 201, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_AUTOSIZE, {}, 0, reinterpret_cast<INT_PTR>(L"打开")},
        {STD_PROPERTIES, 202, TBSTATE_ENABLED, BTNS_CHECK | BTNS_AUTOSIZE, {}, 0, reinterpret_cast<INT_PTR>(L"显示")},
        {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
        {STD_FIND, 203, TBSTATE_ENABLED, BTNS_DROPDOWN | BTNS_AUTOSIZE, {}, 0, reinterpret_cast<INT_PTR>(L"更多")},
    };
    SendMessageW(toolbar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    return toolbar;
}

HWND MakeDatePicker(HWND host, int x, int y) {
    HWND picker = Make(host, DATETIMEPICK_CLASSW, DTS_SHORTDATEFORMAT | WS_TABSTOP, x, y, 160, 24, 303);
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&FifteenthOfMarch));
    return picker;
}

HWND MakeCalendar(HWND host, int x, int y) {
    HWND calendar = Make(host, MONTHCAL_CLASSW, WS_BORDER | WS_TABSTOP, x, y, 240, 180, 304);
    RECT fits{};
    SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&fits));
    SetWindowPos(calendar, nullptr, 0, 0, fits.right + 2, fits.bottom + 2, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&FifteenthOfMarch));
    return calendar;
}

bool PointOfDay(HWND calendar, WORD day, POINT& point) {
    RECT client;
    GetClientRect(calendar, &client);
    SYSTEMTIME shown{};
    SendMessageW(calendar, MCM_GETCURSEL, 0, reinterpret_cast<LPARAM>(&shown));
    for (int y = 0; y < client.bottom; y += 3) {
        for (int x = 0; x < client.right; x += 3) {
            MCHITTESTINFO hit{};
            hit.cbSize = MCHITTESTINFO_V1_SIZE;
            hit.pt = POINT{x, y};
            SendMessageW(calendar, MCM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
            if (hit.uHit == MCHT_CALENDARDATE && hit.st.wDay == day && hit.st.wMonth == shown.wMonth) {
                point = hit.pt;
                return true;
            }
        }
    }
    return false;
}

}  // namespace qivyun::skin::test
