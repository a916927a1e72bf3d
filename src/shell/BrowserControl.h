#pragma once
// The WebBrowser control in a window of ours. Dialog templates name it by its class identifier;
// a window class of that name is our host, and binding a BrowserControl to such a window creates
// the control inside it and activates it in place.
#include "framework/ComPtr.h"
#include "framework/SubclassedWindow.h"

#include <ocidl.h>
#include <oleidl.h>

#include <functional>
#include <string>

namespace qivyun {

inline constexpr wchar_t WebBrowserClassId[] = L"{8856F961-340A-11D0-A96B-00C04FD705A2}";

class BrowserSite;

class BrowserControl : public SubclassedWindow {
public:
    BrowserControl();
    ~BrowserControl() override;

    // Registers the host window class that dialog templates name; safe to call more than once.
    static void RegisterWindowClass();
    // Has the controls of this program (named by its executable's file name) render pages in the
    // engine's current document mode instead of the legacy one a hosted control starts in: the
    // value 11001 under the current user's FEATURE_BROWSER_EMULATION key. False when it cannot be
    // written.
    static bool UseCurrentDocumentMode();

    void Attach(HWND hwnd) override;

    // Navigate (dispatch id 104) with the address alone; the other four arguments are absent.
    bool Navigate(const std::string& address);
    // Refresh (dispatch id -550).
    bool Refresh();
    bool HasControl() const { return static_cast<bool>(control_); }

    // Events of the control. A new-window handler returns true to cancel the new window.
    std::function<void(const std::string& address)> onDocumentComplete;
    std::function<bool()> onNewWindow;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void CreateControl();
    void ReleaseControl();
    bool Invoke(long dispatchId, unsigned argumentCount, void* arguments);

    ComPtr<BrowserSite> site_;
    ComPtr<IOleObject> control_;
    ComPtr<IDispatch> dispatch_;
    // Where the control's events come from; looked up once, when the control is created.
    ComPtr<IConnectionPoint> events_;
    DWORD eventCookie_ = 0;
};

}  // namespace qivyun
