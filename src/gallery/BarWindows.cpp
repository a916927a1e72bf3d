#include "gallery/BarWindows.h"

#include "gallery/HostSkinType.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <string>

namespace qivyun::gallery {
namespace {

constexpr int DockingWidth = 330, DockingHeight = 230;
constexpr int FloatingWidth = 260, FloatingHeight = 90;
constexpr int FrameworkBarHeight = 36;

HINSTANCE Instance() { return GetModuleHandleW(nullptr); }

HWND MakeChild(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style, RECT place, int id) {
    HWND child = CreateWindowExW(0, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                 place.right - place.left, place.bottom - place.top, parent,
                                 reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), Instance(), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(GetStockObject(DEFAULT_GUI_FONT)), FALSE);
    return child;
}

// A list-style toolbar with the system's small pictures; `first` is the first button's command.
HWND MakeToolbar(HWND parent, DWORD placement, std::initializer_list<std::pair<int, const wchar_t*>> buttons, int first) {
    HWND toolbar = MakeChild(parent, TOOLBARCLASSNAMEW, L"", TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NODIVIDER | placement,
                             RECT{}, first);
    SendMessageW(toolbar, TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    SendMessageW(toolbar, TB_LOADIMAGES, IDB_STD_SMALL_COLOR, reinterpret_cast<LPARAM>(HINST_COMMCTRL));
    int command = first;
    for (const auto& [picture, text] : buttons) {
        TBBUTTON button{picture, command++, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_AUTOSIZE, {}, 0,
                        reinterpret_cast<INT_PTR>(text)};
        SendMessageW(toolbar, TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    SendMessageW(toolbar, TB_AUTOSIZE, 0, 0);
    return toolbar;
}

void AddBand(HWND rebar, HWND child, const wchar_t* label, int width) {
    RECT size;
    GetWindowRect(child, &size);
    REBARBANDINFOW band{};
    band.cbSize = sizeof band;
    band.fMask = RBBIM_STYLE | RBBIM_TEXT | RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_SIZE;
    band.fStyle = RBBS_GRIPPERALWAYS | RBBS_CHILDEDGE;
    band.lpText = const_cast<wchar_t*>(label);
    band.hwndChild = child;
    band.cxMinChild = 80;
    band.cyMinChild = static_cast<UINT>(size.bottom - size.top);
    band.cx = static_cast<UINT>(width);
    SendMessageW(rebar, RB_INSERTBANDW, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&band));
}

// The docking window: the rebar along the top, the framework bar below it, a band window below that.
void LayOutDocking(HWND window) {
    RECT client;
    GetClientRect(window, &client);
    HWND rebar = FindWindowExW(window, nullptr, REBARCLASSNAMEW, nullptr);
    SendMessageW(rebar, WM_SIZE, 0, 0);  // a rebar at the top spans its parent on its own
    RECT bar;
    GetWindowRect(rebar, &bar);
    const int top = bar.bottom - bar.top + 6;
    MoveWindow(FindWindowExW(window, nullptr, FrameworkBarClass, nullptr), 6, top, client.right - 12, FrameworkBarHeight, TRUE);
    MoveWindow(FindWindowExW(window, nullptr, BandWindowClass, nullptr), 6, top + FrameworkBarHeight + 8, client.right - 12,
               std::max(0, static_cast<int>(client.bottom) - top - FrameworkBarHeight - 14), TRUE);
}

void FillDocking(HWND window) {
    HWND rebar = MakeChild(window, REBARCLASSNAMEW, L"",
                           RBS_BANDBORDERS | RBS_VARHEIGHT | CCS_NODIVIDER | WS_CLIPSIBLINGS | WS_CLIPCHILDREN, RECT{}, 10);
    HWND tools = MakeToolbar(window, CCS_NORESIZE | CCS_NOPARENTALIGN, {{STD_FILEOPEN, L"打开"}, {STD_FIND, L"查找"}}, 40);
    HWND address = MakeChild(window, WC_COMBOBOXW, L"", CBS_DROPDOWN | WS_VSCROLL, RECT{0, 0, 150, 160}, 11);
    for (const wchar_t* place : {L"qivyun://频道/电影", L"qivyun://频道/音乐"})
        SendMessageW(address, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(place));
    SendMessageW(address, CB_SETCURSEL, 0, 0);
    AddBand(rebar, tools, L"工具", 170);
    AddBand(rebar, address, L"地址", 150);

    HWND bar = MakeChild(window, FrameworkBarClass, L"", WS_CLIPCHILDREN, RECT{}, 12);
    MakeChild(bar, L"Button", L"播放", BS_PUSHBUTTON, RECT{4, 4, 64, 28}, 50);
    MakeChild(bar, L"Button", L"停止", BS_PUSHBUTTON, RECT{70, 4, 130, 28}, 51);
    HWND band = MakeChild(window, BandWindowClass, L"", WS_BORDER | WS_CLIPCHILDREN, RECT{}, 13);
    MakeChild(band, L"Button", L"下一集", BS_PUSHBUTTON, RECT{8, 8, 80, 32}, 52);
    LayOutDocking(window);
}

LRESULT CALLBACK DockingProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const bool rowsChanged = message == WM_NOTIFY && reinterpret_cast<NMHDR*>(lParam)->code == RBN_HEIGHTCHANGE;
    if ((message == WM_SIZE || rowsChanged) && FindWindowExW(window, nullptr, REBARCLASSNAMEW, nullptr))
        LayOutDocking(window);
    return DefWindowProcW(window, message, wParam, lParam);
}

// The host chooses the fitted-frame type before the window is made, as a host does.
LRESULT CALLBACK FloatingBarProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    NameSkinTypeAsAHostDoes(window, message, skin::skintype::ControlBarFrame);
    return DefWindowProcW(window, message, wParam, lParam);
}

void Register(const wchar_t* name, WNDPROC procedure, int background) {
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = procedure;
    windowClass.hInstance = Instance();
    windowClass.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));
    windowClass.hbrBackground = GetSysColorBrush(background);
    windowClass.lpszClassName = name;
    RegisterClassW(&windowClass);
}

}  // namespace

void OpenBarWindows(HWND gallery) {
    Register(DockingWindowClass, &DockingProcedure, COLOR_3DFACE);
    Register(FloatingBarClass, &FloatingBarProcedure, COLOR_3DFACE);
    Register(FrameworkBarClass, &DefWindowProcW, COLOR_3DFACE);
    Register(BandWindowClass, &DefWindowProcW, COLOR_WINDOW);
    RECT beside;
    GetWindowRect(gallery, &beside);
    const int left = std::max(0, static_cast<int>(beside.left) - DockingWidth - 8);

    HWND docking = CreateWindowExW(0, DockingWindowClass, L"停靠栏样板", WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME,
                                   left, 0, DockingWidth, DockingHeight, gallery, nullptr, Instance(), nullptr);
    FillDocking(docking);
    ShowWindow(docking, SW_SHOWNOACTIVATE);

    HWND floating = CreateWindowExW(WS_EX_TOOLWINDOW, FloatingBarClass, L"播放工具栏", WS_POPUP | WS_CAPTION | WS_SYSMENU,
                                    left, DockingHeight + 10, FloatingWidth, FloatingHeight, gallery, nullptr, Instance(),
                                    nullptr);
    MakeToolbar(floating, CCS_TOP, {{STD_FILEOPEN, L"播放"}, {STD_DELETE, L"停止"}, {STD_PROPERTIES, L"设置"}}, 60);
    ShowWindow(floating, SW_SHOWNOACTIVATE);
}

}  // namespace qivyun::gallery
