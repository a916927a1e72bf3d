// The main window's result-list menu, the tray icon with its menu, and the way out.
#include "framework/Handles.h"
#include "framework/SystemCalls.h"
#include "shell/Clipboard.h"
#include "shell/MainDialog.h"
#include "shell/ResourceIds.h"

#include <shellapi.h>

namespace qivyun {
namespace {

constexpr UINT TrayIconId = 128;
constexpr char TrayTip[] = "Qiv云播盒子";
constexpr char CloseQuestion[] = "Qiv云播提示:是否最小化到托盘?";
constexpr char CloseCaption[] = "Qiv云播提示";
constexpr char BrowserProgram[] = "iexplore.exe";

// The record's layout without the balloon's identifier and icon: 488 bytes in the 32-bit program.
constexpr DWORD TrayRecordSize = NOTIFYICONDATAA_V2_SIZE;
static_assert(sizeof(void*) != 4 || TrayRecordSize == 488);

NOTIFYICONDATAA TrayRecord(HWND window) {
    NOTIFYICONDATAA record{};
    record.cbSize = TrayRecordSize;
    record.hWnd = window;
    record.uID = TrayIconId;
    return record;
}

}  // namespace

std::string MainDialog::SelectedRowText(int column) const {
    int row = resultList.SelectionMark();
    return row < 0 ? std::string() : resultList.CellText(row, column);
}

void MainDialog::ShowPopupMenu(int menuId) {
    UniqueMenu menu(LoadMenuA(ModuleInstance(), MAKEINTRESOURCEA(menuId)));
    if (!menu) return;
    POINT pointer{};
    GetCursorPos(&pointer);
    TrackPopup(GetSubMenu(menu.Get(), 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, pointer.x, pointer.y, hwnd_);
}

// Also on empty list space: the commands act on the row at the selection mark.
LRESULT MainDialog::OnListRightClick(const NMHDR&) {
    ShowPopupMenu(IDR_LIST_MENU);
    return 0;
}

LRESULT MainDialog::OnListDoubleClick(const NMHDR&) {
    PlayFromList();
    return 0;
}

void MainDialog::OnDownloadWithBrowser() {
    std::string address = SelectedRowText(3);
    ShellOpen(hwnd_, BrowserProgram, address.c_str(), SW_SHOW);
}

void MainDialog::OnCopyAddress() { CopyTextToClipboard(SelectedRowText(3).c_str()); }

void MainDialog::OnShowWindow() { Show(SW_SHOWNORMAL); }

void MainDialog::OnCloseButton() {
    if (ShowMessageBox(hwnd_, CloseQuestion, CloseCaption, MB_YESNO | MB_ICONWARNING) == IDYES)
        MinimiseToTray();
    else
        OnOK();
}

// A second add fails while the icon is there; the window is hidden either way.
void MainDialog::MinimiseToTray() {
    NOTIFYICONDATAA record = TrayRecord(hwnd_);
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_TRAY_NOTIFY;
    record.hIcon = icon;
    lstrcpynA(record.szTip, TrayTip, sizeof(record.szTip));
    Shell_NotifyIconA(NIM_ADD, &record);
    Show(SW_HIDE);
}

LRESULT MainDialog::OnTrayNotify(WPARAM iconId, LPARAM mouseMessage) {
    if (iconId != TrayIconId) return 1;
    if (mouseMessage == WM_LBUTTONDBLCLK)
        Show(SW_SHOWNORMAL);
    else if (mouseMessage == WM_RBUTTONUP)
        ShowPopupMenu(IDR_TRAY_MENU);
    return 0;
}

void MainDialog::RemoveTrayIcon() {
    NOTIFYICONDATAA record = TrayRecord(hwnd_);
    Shell_NotifyIconA(NIM_DELETE, &record);
}

void MainDialog::OnOK() {
    RemoveTrayIcon();
    Dialog::OnOK();
}

}  // namespace qivyun
