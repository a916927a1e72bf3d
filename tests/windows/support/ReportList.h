#pragma once
// A report-view list filled the way the main window's result list is: columns of the given
// titles, then rows of a number and a film's name.
#include "framework/ListView.h"

#include <initializer_list>
#include <string>

namespace qivyun::test {

inline void FillReportList(HWND handle, std::initializer_list<const char*> titles, int columnWidth, int rows) {
    ListView list;
    list.Attach(handle);
    int column = 0;
    for (const char* title : titles) list.InsertColumn(column++, title, columnWidth);
    for (int row = 0; row < rows; ++row) {
        list.InsertRow(row, std::to_string(row + 1));
        const std::string name = "【双击点播】经典电影 第" + std::to_string(row + 1) + "部";
        for (int cell = 1; cell < column; ++cell) list.SetCellText(row, cell, name);
    }
}

}  // namespace qivyun::test
