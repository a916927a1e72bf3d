#include "controls/WaitingPopup.h"

#include "controls/WaitingPopupIds.h"
#include "framework/DeviceContext.h"
#include "framework/Handles.h"
#include "framework/OffscreenSurface.h"
#include "framework/Text.h"

#include <algorithm>

namespace qivyun {
namespace {

constexpr BYTE PopupAlpha = 222;
constexpr int CornerEllipse = 5;
constexpr int MessageLeft = 100, MessageWidth = 300, MessageHeight = 200;
constexpr COLORREF MessageColour = RGB(255, 255, 255);

using SetLayeredWindowAttributesCall = BOOL(WINAPI*)(HWND, COLORREF, BYTE, DWORD);

}  // namespace

const MessageMap<WaitingPopup> WaitingPopup::messages = {
    OnMessage(WM_PAINT, &WaitingPopup::OnPaint),
    OnControlColor(&WaitingPopup::OnCtlColor),
    OnMessage(WM_NCHITTEST, &WaitingPopup::OnNcHitTest),
    OnMessage(WM_SIZE, &WaitingPopup::OnSize),
    OnMessage(WM_LBUTTONDOWN, &WaitingPopup::OnLButtonDown),
};

WaitingPopup::WaitingPopup() : DialogImpl(IDD_WAITING_POPUP) {}

void WaitingPopup::DoDataExchange(DataExchange& exchange) {
    exchange.Control(IDC_BUSY_ANIMATION, busyAnimation);
    exchange.Text(IDC_POPUP_MESSAGE, textValue);
}

bool WaitingPopup::OnInitDialog() {
    Dialog::OnInitDialog();
    SetWindowPos(Item(IDC_POPUP_MESSAGE), nullptr, MessageLeft, 0, MessageWidth, MessageHeight, SWP_NOZORDER);
    SetItemText(IDC_POPUP_MESSAGE, message);
    if (busyAnimation.LoadPictureResource(IDR_BUSY_ANIMATION, "Gif")) busyAnimation.StartPicture();
    SetWindowLongW(hwnd_, GWL_EXSTYLE, GetWindowLongW(hwnd_, GWL_EXSTYLE) ^ WS_EX_LAYERED);
    // Looked up at run time: without it the popup stays opaque.
    if (HMODULE user32 = LoadLibraryW(L"User32.DLL")) {
        auto setAttributes =
            reinterpret_cast<SetLayeredWindowAttributesCall>(
            reinterpret_cast<void (*)()>(GetProcAddress(user32, "SetLayeredWindowAttributes")));
        if (setAttributes) setAttributes(hwnd_, 0, PopupAlpha, LWA_ALPHA);
        FreeLibrary(user32);
    }
    return true;
}

void WaitingPopup::OnPaint() {
    PAINTSTRUCT paint;
    HDC dc = BeginPaint(hwnd_, &paint);
    RECT client = ClientRect();
    UniqueGdiObject<HBRUSH> black(CreateSolidBrush(RGB(0, 0, 0)));
    FillRect(dc, &client, black.Get());
    // The animation clears to the pixels of a fresh bitmap, on which nothing is drawn: the
    // panel's black.
    if (!busyAnimation.HasBackground()) {
        OffscreenSurface blank;
        if (blank.Create(dc, client.right - client.left, client.bottom - client.top)) busyAnimation.TakeBackground(blank.Dc());
    }
    EndPaint(hwnd_, &paint);
}

HBRUSH WaitingPopup::OnCtlColor(HDC dc, HWND control) {
    auto brush = reinterpret_cast<HBRUSH>(Default());
    wchar_t className[16] = {};
    GetClassNameW(control, className, static_cast<int>(std::size(className)));
    if (lstrcmpiW(className, L"Static") == 0 || lstrcmpiW(className, L"Edit") == 0) {
        SetBkMode(dc, TRANSPARENT);
        ::SetTextColor(dc, MessageColour);
        return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
    }
    return brush;
}

LRESULT WaitingPopup::OnNcHitTest(POINT) { return HTCAPTION; }

void WaitingPopup::OnLButtonDown(UINT, POINT point) {
    PostMessageW(hwnd_, WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
    Default();
}

LRESULT WaitingPopup::OnSize(WPARAM, LPARAM) {
    Default();
    RECT window = WindowRect();
    OffsetRect(&window, -window.left, -window.top);
    // The region's right and bottom ends are exclusive: one more keeps the last column and row.
    SetWindowRgn(hwnd_, CreateRoundRectRgn(0, 0, window.right + 1, window.bottom + 1, CornerEllipse, CornerEllipse), TRUE);
    PlaceMessage();
    return 0;
}

// The message starts at the top with two empty lines; where the face's lines are taller than
// the popup allows, those empty lines go above the top so that the last line stays whole.
void WaitingPopup::PlaceMessage() {
    HWND text = Item(IDC_POPUP_MESSAGE);
    if (!text || message.empty()) return;
    RECT needed{0, 0, MessageWidth, 0};
    {
        ClientDc dc(text);
        SelectedObject font(dc.Get(), reinterpret_cast<HFONT>(SendMessageW(text, WM_GETFONT, 0, 0)));
        DrawGbkText(dc.Get(), message, needed, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS | DT_NOPREFIX);
    }
    RECT client = ClientRect();
    int top = std::min(0, int(client.bottom - needed.bottom));
    SetWindowPos(text, nullptr, MessageLeft, top, MessageWidth, MessageHeight, SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace qivyun
