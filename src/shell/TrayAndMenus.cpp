#include "shell/TrayAndMenus.h"

#include "common/CodePage.h"
#include "framework/Handles.h"
#include "framework/SystemCalls.h"
#include "shell/Clipboard.h"
#include "shell/ControlPlaces.h"
#include "shell/ResourceIds.h"

#include <commctrl.h>
#include <shellapi.h>

namespace qivyun {
namespace {

constexpr UINT TrayIconId = 128;
constexpr char TrayTip[] = "Qiv云播盒子";
constexpr char BrowserProgram[] = "iexplore.exe";

constexpr ControlPlace Places[] = {{IDC_TRAY, 888, 0, 22, 18, true}};

// The record's layout with the tip and the balloon's texts but without the balloon's identifier and
// icon: 936 bytes in the 32-bit program.
constexpr DWORD TrayRecordSize = NOTIFYICONDATAW_V2_SIZE;
static_assert(sizeof(void*) != 4 || TrayRecordSize == 936);

NOTIFYICONDATAW TrayRecord(HWND window) {
    NOTIFYICONDATAW record{};
    record.cbSize = TrayRecordSize;
    record.hWnd = window;
    record.uID = TrayIconId;
    return record;
}

}  // namespace

const MessageMap<TrayAndMenus> TrayAndMenus::messages = {
    OnClick(IDC_TRAY, &TrayAndMenus::MinimiseToTray),
    OnNotifyIcon(WM_TRAY_NOTIFY, &TrayAndMenus::OnTrayNotify),
    OnCommand(ID_TRAY_SHOW, &TrayAndMenus::OnShowWindow),
    OnMessage(WM_DESTROY, &TrayAndMenus::RemoveTrayIcon),
    OnNotify(IDC_RESULT_LIST, NM_RCLICK, &TrayAndMenus::OnListRightClick),
    OnCommand(ID_LIST_PLAY, &TrayAndMenus::OnPlayRow),
    OnCommand(ID_LIST_COPY, &TrayAndMenus::OnCopyAddress),
    OnCommand(ID_LIST_DOWNLOAD, &TrayAndMenus::OnDownloadWithBrowser),
};

TrayAndMenus::TrayAndMenus(Dialog& window, HICON icon, const ResultSelection& rows, ListPlayer& player)
    : window(window), icon(icon), rows(rows), player(player) {}

void TrayAndMenus::DoDataExchange(DataExchange& exchange) { exchange.Control(IDC_TRAY, trayButton); }

void TrayAndMenus::LayOut() {
    PlaceControls(window, Places);
    LoadButtonPictures({{trayButton, IDR_PNG_TRAY}});
}

NOTIFYICONDATAW TrayAndMenus::TrayIcon() const {
    NOTIFYICONDATAW record = TrayRecord(window.Handle());
    record.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    record.uCallbackMessage = WM_TRAY_NOTIFY;
    record.hIcon = icon;
    lstrcpynW(record.szTip, WideFromGbk(TrayTip).c_str(), static_cast<int>(std::size(record.szTip)));
    return record;
}

// A second add fails while the icon is there; the window is hidden either way.
void TrayAndMenus::MinimiseToTray() {
    NOTIFYICONDATAW record = TrayIcon();
    Shell_NotifyIconW(NIM_ADD, &record);
    window.Show(SW_HIDE);
}

void TrayAndMenus::RemoveTrayIcon() {
    NOTIFYICONDATAW record = TrayRecord(window.Handle());
    Shell_NotifyIconW(NIM_DELETE, &record);
}

LRESULT TrayAndMenus::OnTrayNotify(UINT iconId, UINT mouseMessage) {
    if (iconId != TrayIconId) return 1;
    if (mouseMessage == WM_LBUTTONDBLCLK)
        window.Show(SW_SHOWNORMAL);
    else if (mouseMessage == WM_RBUTTONUP)
        ShowPopupMenu(IDR_TRAY_MENU);
    return 0;
}

void TrayAndMenus::OnShowWindow() { window.Show(SW_SHOWNORMAL); }

void TrayAndMenus::ShowPopupMenu(int menuId) {
    UniqueMenu menu(LoadMenuW(ModuleInstance(), MAKEINTRESOURCEW(menuId)));
    if (!menu) return;
    POINT pointer{};
    GetCursorPos(&pointer);
    TrackPopup(GetSubMenu(menu.Get(), 0), TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON, pointer.x, pointer.y,
               window.Handle());
}

// Also on empty list space: the commands act on the row at the selection mark.
LRESULT TrayAndMenus::OnListRightClick(const NMHDR&) {
    ShowPopupMenu(IDR_LIST_MENU);
    return 0;
}

void TrayAndMenus::OnPlayRow() { player.PlayFromList(rows.SelectedRow()); }

void TrayAndMenus::OnCopyAddress() { CopyTextToClipboard(rows.SelectedRow().address); }

void TrayAndMenus::OnDownloadWithBrowser() {
    OpenAddress(window.Handle(), BrowserProgram, rows.SelectedRow().address);
}

}  // namespace qivyun
