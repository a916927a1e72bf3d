#pragma once
// The tray and the menus of the main window: the tray button that hides the window behind an
// icon in the tray, the icon with its menu, and the result list's menu with its commands (play the
// row, copy its address to the clipboard, download it with the browser).
#include "controls/ImageButton.h"
#include "framework/Dialog.h"
#include "shell/PanelLinks.h"

#include <shellapi.h>

namespace qivyun {

class TrayAndMenus {
public:
    // The icon shows in the tray; the menu's commands act on the selected row through the player.
    TrayAndMenus(Dialog& window, HICON icon, const ResultSelection& rows, ListPlayer& player);
    TrayAndMenus(const TrayAndMenus&) = delete;
    TrayAndMenus& operator=(const TrayAndMenus&) = delete;

    static const MessageMap<TrayAndMenus> messages;

    void DoDataExchange(DataExchange& exchange);
    // Places the tray button and gives it its picture.
    void LayOut();

    // The icon as the tray is given it: its tip in UTF-16, the callback message, the window's icon.
    NOTIFYICONDATAW TrayIcon() const;
    void MinimiseToTray();
    void RemoveTrayIcon();

    // Handlers
    LRESULT OnTrayNotify(UINT iconId, UINT mouseMessage);
    void OnShowWindow();
    LRESULT OnListRightClick(const NMHDR&);
    void OnPlayRow();
    void OnCopyAddress();
    void OnDownloadWithBrowser();

private:
    void ShowPopupMenu(int menuId);

    Dialog& window;
    HICON icon;
    const ResultSelection& rows;
    ListPlayer& player;
    ImageButton trayButton;
};

}  // namespace qivyun
