// Edit boxes (one line, disabled, several lines with a scroll bar) and a list box longer than it
// shows.
#include "gallery/GallerySections.h"

#include "common/CodePage.h"

namespace qivyun::gallery {

void AddTextSection(GallerySection& s) {
    s.Add(L"Edit", "经典 电影", WS_TABSTOP | ES_AUTOHSCROLL, 0, 2, 140, 24, WS_EX_CLIENTEDGE);
    s.Add(L"Edit", "不可用的编辑框", WS_TABSTOP | WS_DISABLED | ES_AUTOHSCROLL, 0, 32, 140, 24, WS_EX_CLIENTEDGE);
    s.Add(L"Edit",
          "多行编辑框：皮肤画出边框和滚动条。\r\n第二行\r\n第三行\r\n第四行\r\n第五行\r\n第六行\r\n第七行",
          WS_TABSTOP | WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 0, 62, 140, 106,
          WS_EX_CLIENTEDGE);
    const HWND list = s.Add(L"ListBox", "", WS_TABSTOP | WS_VSCROLL | LBS_NOTIFY, 150, 2, 130, 166, WS_EX_CLIENTEDGE);
    const char* items[] = {"电影", "电视剧", "综艺", "动漫", "纪录片", "体育", "音乐", "新闻", "少儿", "教育",
                           "游戏", "财经"};
    for (const char* item : items) SendMessageW(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(WideFromGbk(item).c_str()));
    SendMessageW(list, LB_SETCURSEL, 2, 0);
}

}  // namespace qivyun::gallery
