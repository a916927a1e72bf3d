// A list view in report view with its column header, longer than it shows, and a tree view.
#include "gallery/GallerySections.h"

#include "common/CodePage.h"

#include <commctrl.h>

#include <string>

namespace qivyun::gallery {
namespace {

void AddColumn(HWND list, int index, const char* title, int width) {
    std::wstring text = WideFromGbk(title);
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = text.data();
    column.cx = width;
    SendMessageW(list, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&column));
}

void SetCell(HWND list, int row, int column, const std::string& gbk) {
    std::wstring text = WideFromGbk(gbk);
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = text.data();
    SendMessageW(list, column == 0 ? LVM_INSERTITEMW : LVM_SETITEMTEXTW, static_cast<WPARAM>(row),
                 reinterpret_cast<LPARAM>(&item));
}

HTREEITEM AddNode(HWND tree, HTREEITEM parent, const char* gbk) {
    std::wstring text = WideFromGbk(gbk);
    TVINSERTSTRUCTW insert{};
    insert.hParent = parent;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT;
    insert.item.pszText = text.data();
    return reinterpret_cast<HTREEITEM>(SendMessageW(tree, TVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&insert)));
}

}  // namespace

void AddListSection(GallerySection& s) {
    const HWND list = s.Add(WC_LISTVIEWW, "", WS_TABSTOP | LVS_REPORT | LVS_SHOWSELALWAYS, 0, 2, s.Width(), 170,
                            WS_EX_CLIENTEDGE);
    SendMessageW(list, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, LVS_EX_FULLROWSELECT);
    AddColumn(list, 0, "编号", 50);
    AddColumn(list, 1, "影片名称", 150);
    AddColumn(list, 2, "大小", 70);
    for (int row = 0; row < 14; ++row) {
        SetCell(list, row, 0, std::to_string(row + 1));
        SetCell(list, row, 1, "云播影片 " + std::to_string(row + 1));
        SetCell(list, row, 2, std::to_string(350 + row * 37) + " MB");
    }
    ListView_SetItemState(list, 1, LVIS_SELECTED, LVIS_SELECTED);

    const HWND tree = s.Add(WC_TREEVIEWW, "", WS_TABSTOP | TVS_HASBUTTONS | TVS_HASLINES | TVS_LINESATROOT, 0, 180,
                            s.Width(), 120, WS_EX_CLIENTEDGE);
    const HTREEITEM films = AddNode(tree, TVI_ROOT, "电影");
    AddNode(tree, films, "动作");
    AddNode(tree, films, "喜剧");
    AddNode(tree, films, "科幻");
    const HTREEITEM series = AddNode(tree, TVI_ROOT, "电视剧");
    AddNode(tree, series, "国产剧");
    AddNode(tree, series, "海外剧");
    AddNode(tree, TVI_ROOT, "直播电视");
    AddNode(tree, TVI_ROOT, "音乐电台");
    SendMessageW(tree, TVM_EXPAND, TVE_EXPAND, reinterpret_cast<LPARAM>(films));
    SendMessageW(tree, TVM_SELECTITEM, TVGN_CARET, reinterpret_cast<LPARAM>(films));
}

}  // namespace qivyun::gallery
