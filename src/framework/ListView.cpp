#include "framework/ListView.h"

#include "common/CodePage.h"

#include <vector>

namespace qivyun {

void ListView::InsertColumn(int index, std::string_view title, int width) const {
    std::wstring text = WideFromGbk(title);
    LVCOLUMNW column{};
    column.mask = LVCF_FMT | LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
    column.fmt = LVCFMT_LEFT;
    column.cx = width;
    column.pszText = text.data();
    column.iSubItem = index;
    SendMessageW(hwnd_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

int ListView::InsertRow(int index, std::string_view text) const {
    std::wstring wide = WideFromGbk(text);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = wide.data();
    return static_cast<int>(SendMessageW(hwnd_, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetCellText(int row, int column, std::string_view text) const {
    std::wstring wide = WideFromGbk(text);
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = wide.data();
    SendMessageW(hwnd_, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

std::string ListView::CellText(int row, int column) const {
    std::vector<wchar_t> buffer(4096, L'\0');
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = buffer.data();
    item.cchTextMax = static_cast<int>(buffer.size());
    auto length = SendMessageW(hwnd_, LVM_GETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return GbkFromWide(std::wstring_view(buffer.data(), static_cast<size_t>(length)));
}

std::string ListView::ColumnTitle(int index) const {
    wchar_t title[256] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = title;
    column.cchTextMax = static_cast<int>(std::size(title));
    if (!SendMessageW(hwnd_, LVM_GETCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column))) return {};
    return GbkFromWide(title);
}

}  // namespace qivyun
