// Toolbars, tab controls and status bars placed inside their section rather than along the window's
// edges; date-time pickers (one disabled) and a month calendar at the size it asks for.
#include "gallery/GallerySections.h"

#include <commctrl.h>

#include <iterator>

namespace qivyun::gallery {
namespace {

constexpr SYSTEMTIME FirstOfJune{2026, 6, 0, 1, 9, 0, 0, 0};

// Left where the section puts it, not along the top or bottom of the gallery.
constexpr DWORD InPlace = CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER;

void Toolbar(GallerySection& s, int x, int y, int width, int height) {
    const HWND toolbar = s.Add(TOOLBARCLASSNAMEW, "", InPlace | TBSTYLE_FLAT | TBSTYLE_LIST, x, y, width, height);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar, TB_SETEXTENDEDSTYLE, 0, TBSTYLE_EX_DRAWDDARROWS);
    SendMessageW(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    TBBUTTON buttons[] = {
        {STD_FILEOPEN, 1, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_AUTOSIZE, {}, 0, reinterpret_cast<INT_PTR>(L"打开")},
        {STD_PROPERTIES, 2, TBSTATE_ENABLED | TBSTATE_CHECKED, BTNS_CHECK | BTNS_AUTOSIZE, {}, 0,
         reinterpret_cast<INT_PTR>(L"显示")},
        {0, 0, TBSTATE_ENABLED, BTNS_SEP, {}, 0, 0},
        {STD_FIND, 3, TBSTATE_ENABLED, BTNS_DROPDOWN | BTNS_AUTOSIZE, {}, 0, reinterpret_cast<INT_PTR>(L"更多")},
        {STD_DELETE, 4, 0, BTNS_BUTTON | BTNS_AUTOSIZE, {}, 0, reinterpret_cast<INT_PTR>(L"删除")},
    };
    SendMessageW(toolbar, TB_ADDBUTTONSW, std::size(buttons), reinterpret_cast<LPARAM>(buttons));
    // Its buttons made it as wide as the gallery; it would paint over the tabs beside it.
    SetWindowPos(toolbar, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER);
}

void Tabs(GallerySection& s, int x, int y, int width, int height) {
    const HWND tabs = s.Add(WC_TABCONTROLW, "", WS_TABSTOP, x, y, width, height);
    const wchar_t* titles[] = {L"常规", L"高级", L"关于"};
    for (int index = 0; index < static_cast<int>(std::size(titles)); ++index) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(titles[index]);
        SendMessageW(tabs, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
    }
}

void StatusBar(GallerySection& s, int x, int y, int width, int height) {
    const HWND bar = s.Add(STATUSCLASSNAMEW, "", InPlace, x, y, width, height);
    const int ends[] = {90, 180, -1};
    SendMessageW(bar, SB_SETPARTS, std::size(ends), reinterpret_cast<LPARAM>(ends));
    SendMessageW(bar, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"就绪"));
    SendMessageW(bar, SB_SETTEXTW, 1, reinterpret_cast<LPARAM>(L"\t共 12 项"));
    SendMessageW(bar, SB_SETTEXTW, 2, reinterpret_cast<LPARAM>(L"\t\t已连接"));
}

HWND DatePicker(GallerySection& s, DWORD style, int x, int y) {
    const HWND picker = s.Add(DATETIMEPICK_CLASSW, "", WS_TABSTOP | DTS_SHORTDATEFORMAT | style, x, y, 135, 24);
    SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&FirstOfJune));
    return picker;
}

}  // namespace

void AddBarSection(GallerySection& s) {
    Toolbar(s, 0, 4, 300, 28);
    Tabs(s, 320, 0, 280, 58);
    StatusBar(s, 620, 6, 290, 22);
}

void AddDateSection(GallerySection& s) {
    DatePicker(s, 0, 0, 0);
    DatePicker(s, WS_DISABLED, 145, 0);
    const HWND calendar = s.Add(MONTHCAL_CLASSW, "", WS_BORDER | WS_TABSTOP, 0, 32, 200, 160);
    RECT fits{};
    SendMessageW(calendar, MCM_GETMINREQRECT, 0, reinterpret_cast<LPARAM>(&fits));
    SetWindowPos(calendar, nullptr, 0, 0, fits.right + 2, fits.bottom + 2, SWP_NOMOVE | SWP_NOZORDER);
    SendMessageW(calendar, MCM_SETCURSEL, 0, reinterpret_cast<LPARAM>(&FirstOfJune));
}

}  // namespace qivyun::gallery
