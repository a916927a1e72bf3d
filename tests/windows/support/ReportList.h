#pragma once
// A report-view list filled the way the main window's result list is: columns of the given
// titles, then rows of a number and a film's name.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <initializer_list>

namespace qivyun::test {

inline void FillReportList(HWND list, std::initializer_list<const char*> titles, int columnWidth, int rows) {
    int column = 0;
    for (const char* title : titles) {
        LVCOLUMNA description{};
        description.mask = LVCF_TEXT | LVCF_WIDTH;
        description.pszText = const_cast<char*>(title);
        description.cx = columnWidth;
        SendMessageA(list, LVM_INSERTCOLUMNA, column++, reinterpret_cast<LPARAM>(&description));
    }
    for (int row = 0; row < rows; ++row) {
        char number[16], name[64];
        std::snprintf(number, sizeof number, "%d", row + 1);
        std::snprintf(name, sizeof name, "【双击点播】经典电影 第%d部", row + 1);
        LVITEMA item{};
        item.mask = LVIF_TEXT;
        item.iItem = row;
        item.pszText = number;
        SendMessageA(list, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item));
        item.pszText = name;
        for (item.iSubItem = 1; item.iSubItem < column; ++item.iSubItem)
            SendMessageA(list, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
    }
}

}  // namespace qivyun::test
