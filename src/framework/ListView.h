#pragma once
// The list-view control of a dialog, with the operations the result list uses. Texts are GBK; the
// control holds them in UTF-16.
#include "framework/Window.h"

#include <commctrl.h>

#include <string>
#include <string_view>

namespace qivyun {

class ListView : public Window {
public:
    void SetTextColor(COLORREF colour) const { ListView_SetTextColor(hwnd_, colour); }
    void AddExtendedStyle(DWORD bits) const {
        ListView_SetExtendedListViewStyle(hwnd_, ListView_GetExtendedListViewStyle(hwnd_) | bits);
    }
    void InsertColumn(int index, std::string_view title, int width) const;
    int InsertRow(int index, std::string_view text) const;
    void SetCellText(int row, int column, std::string_view text) const;
    std::string CellText(int row, int column) const;
    std::string ColumnTitle(int index) const;
    int RowCount() const { return ListView_GetItemCount(hwnd_); }
    int ColumnCount() const { return Header_GetItemCount(ListView_GetHeader(hwnd_)); }
    void DeleteAllRows() const { ListView_DeleteAllItems(hwnd_); }
    int SelectionMark() const { return ListView_GetSelectionMark(hwnd_); }
};

}  // namespace qivyun
