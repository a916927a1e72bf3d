// Combo boxes: a drop-down list with an item chosen, an editable drop-down, a disabled one, and a
// simple combo box whose list always shows.
#include "gallery/GallerySections.h"

#include "common/CodePage.h"

namespace qivyun::gallery {
namespace {

HWND Combo(GallerySection& s, DWORD style, int x, int y, int width, int height, int selected) {
    const HWND combo = s.Add(L"ComboBox", "", WS_TABSTOP | WS_VSCROLL | style, x, y, width, height);
    const char* items[] = {"第一云播", "第二云播", "影音先锋", "迅雷云播", "百度云播", "磁力播放", "电驴播放",
                           "高清线路", "备用线路", "海外线路"};
    for (const char* item : items)
        SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromGbk(item).c_str()));
    SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(selected), 0);
    return combo;
}

}  // namespace

void AddComboSection(GallerySection& s) {
    Combo(s, CBS_DROPDOWNLIST, 0, 2, 140, 200, 0);
    Combo(s, CBS_DROPDOWN, 0, 34, 140, 200, 3);
    Combo(s, CBS_DROPDOWNLIST | WS_DISABLED, 0, 66, 140, 200, 1);
    s.Add(L"Static", "下拉列表、可编辑、不可用", SS_LEFT, 0, 100, 140, 40);
    Combo(s, CBS_SIMPLE, 150, 2, 140, 140, 2);
}

}  // namespace qivyun::gallery
