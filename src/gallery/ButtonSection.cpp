// Buttons of every style the engine draws, each in its states: push buttons (normal, default,
// disabled, push-like checked), check boxes (unchecked, checked, indeterminate, disabled), radio
// buttons (checked, unchecked, disabled) and an owner-drawn button.
#include "gallery/GallerySections.h"

namespace qivyun::gallery {
namespace {

HWND Checked(HWND button, WPARAM state) {
    SendMessageW(button, BM_SETCHECK, state, 0);
    return button;
}

}  // namespace

void AddButtonSection(GallerySection& s) {
    s.Add(L"Button", "确定", WS_TABSTOP | BS_DEFPUSHBUTTON, 0, 4, 84, 26);
    s.Add(L"Button", "取消", WS_TABSTOP | BS_PUSHBUTTON, 94, 4, 84, 26);
    s.Add(L"Button", "不可用", WS_TABSTOP | WS_DISABLED | BS_PUSHBUTTON, 188, 4, 84, 26);
    Checked(s.Add(L"Button", "按下状态", WS_TABSTOP | BS_AUTOCHECKBOX | BS_PUSHLIKE, 0, 38, 84, 26), BST_CHECKED);
    s.Add(L"Button", "自绘按钮", WS_TABSTOP | BS_OWNERDRAW, 94, 38, 84, 26);

    s.Add(L"Button", "自动检查更新", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 76, 130, 20);
    Checked(s.Add(L"Button", "记住播放位置", WS_TABSTOP | BS_AUTOCHECKBOX, 0, 100, 130, 20), BST_CHECKED);
    Checked(s.Add(L"Button", "部分引擎", WS_TABSTOP | BS_AUTO3STATE, 0, 124, 130, 20), BST_INDETERMINATE);
    s.Add(L"Button", "不可用", WS_TABSTOP | WS_DISABLED | BS_AUTOCHECKBOX, 0, 148, 130, 20);
    Checked(s.Add(L"Button", "已选且不可用", WS_TABSTOP | WS_DISABLED | BS_AUTOCHECKBOX, 0, 172, 130, 20),
            BST_CHECKED);

    Checked(s.Add(L"Button", "标清", WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, 150, 76, 120, 20), BST_CHECKED);
    s.Add(L"Button", "高清", BS_AUTORADIOBUTTON, 150, 100, 120, 20);
    s.Add(L"Button", "超清", BS_AUTORADIOBUTTON, 150, 124, 120, 20);
    s.Add(L"Button", "蓝光（不可用）", WS_DISABLED | BS_AUTORADIOBUTTON, 150, 148, 120, 20);
    Checked(s.Add(L"Button", "已选且不可用", WS_DISABLED | BS_AUTORADIOBUTTON, 150, 172, 120, 20), BST_CHECKED);
    s.Add(L"Static", "Tab 键移动焦点，焦点状态随之显示。", SS_LEFT, 0, 204, 270, 20);
}

}  // namespace qivyun::gallery
