// A message box and a pop-up menu, each behind a button: the menu has a checked item, a disabled
// one, a separator and a submenu.
#include "gallery/GallerySections.h"

#include "common/CodePage.h"
#include "framework/SystemCalls.h"

namespace qivyun::gallery {
namespace {

void AppendItem(HMENU menu, UINT flags, UINT_PTR id, const char* gbk) {
    AppendMenuW(menu, flags, id, WideFromGbk(gbk).c_str());
}

void ShowMenu(HWND owner, HWND button) {
    HMENU menu = CreatePopupMenu();
    HMENU quality = CreatePopupMenu();
    AppendItem(quality, MF_STRING | MF_CHECKED, 11, "标清");
    AppendItem(quality, MF_STRING, 12, "高清");
    AppendItem(menu, MF_STRING, 1, "播放");
    AppendItem(menu, MF_STRING | MF_CHECKED, 2, "置顶显示");
    AppendItem(menu, MF_STRING | MF_GRAYED, 3, "下载（不可用）");
    AppendItem(menu, MF_SEPARATOR, 0, "");
    AppendItem(menu, MF_STRING | MF_POPUP, reinterpret_cast<UINT_PTR>(quality), "清晰度");
    AppendItem(menu, MF_STRING, 4, "复制链接");
    RECT place;
    GetWindowRect(button, &place);
    TrackPopupMenu(menu, TPM_LEFTALIGN | TPM_TOPALIGN, place.left, place.bottom, 0, owner, nullptr);
    DestroyMenu(menu);  // with its submenu
}

}  // namespace

void AddMessageSection(GallerySection& s) {
    GalleryHost& host = s.Host();
    s.AddButton("消息框…", 0, 4, 110, 28, [&host](HWND) {
        ShowMessageBox(host.Handle(), "这是皮肤画出的消息框。\n标题栏、按钮和文字都取自当前皮肤。", "Qiv云播皮肤样板",
                       MB_OKCANCEL | MB_ICONINFORMATION);
    });
    s.AddButton("弹出菜单…", 120, 4, 110, 28, [&host](HWND button) { ShowMenu(host.Handle(), button); });
}

}  // namespace qivyun::gallery
