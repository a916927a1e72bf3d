#include "gallery/FrameworkWindow.h"

#include "gallery/HostSkinType.h"

#include <algorithm>

namespace qivyun::gallery {
namespace {

constexpr wchar_t PanelClass[] = L"QivYunGalleryPanel";
constexpr wchar_t DocumentClass[] = L"QivYunGalleryDocument";
constexpr int PanelWidth = 150;
constexpr UINT ClientId = 1, FirstDocumentId = 50000;

HWND ClientOf(HWND frame) { return GetDlgItem(frame, ClientId); }

LRESULT CALLBACK FrameProcedure(HWND frame, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SIZE) {
        const int width = LOWORD(lParam), height = HIWORD(lParam);
        MoveWindow(GetDlgItem(frame, 2), 0, 0, PanelWidth, height, TRUE);
        MoveWindow(ClientOf(frame), PanelWidth, 0, width - PanelWidth, height, TRUE);
        return 0;
    }
    return DefFrameProcW(frame, ClientOf(frame), message, wParam, lParam);
}

LRESULT CALLBACK PanelProcedure(HWND panel, UINT message, WPARAM wParam, LPARAM lParam) {
    NameSkinTypeAsAHostDoes(panel, message, skin::skintype::ChildPanel);
    return DefWindowProcW(panel, message, wParam, lParam);
}

LRESULT CALLBACK DocumentProcedure(HWND document, UINT message, WPARAM wParam, LPARAM lParam) {
    return DefMDIChildProcW(document, message, wParam, lParam);
}

void Register(const wchar_t* name, WNDPROC procedure, int background) {
    WNDCLASSW type{};
    if (GetClassInfoW(GetModuleHandleW(nullptr), name, &type)) return;
    type.lpfnWndProc = procedure;
    type.hInstance = GetModuleHandleW(nullptr);
    type.hCursor = LoadCursorW(nullptr, MAKEINTRESOURCEW(32512));  // the arrow
    type.hIcon = LoadIconW(nullptr, MAKEINTRESOURCEW(32512));       // the application icon
    type.hbrBackground = GetSysColorBrush(background);
    type.lpszClassName = name;
    RegisterClassW(&type);
}

// 文件 with a submenu of recent files, 编辑 with a disabled item, 查看 with checked items.
HMENU MakeMenu(HMENU& windowMenu) {
    HMENU bar = CreateMenu(), file = CreatePopupMenu(), recent = CreatePopupMenu(), edit = CreatePopupMenu(),
          view = CreatePopupMenu();
    AppendMenuW(recent, MF_STRING, 110, L"&1 旅行.qyb");
    AppendMenuW(recent, MF_STRING, 111, L"&2 音乐会.qyb");
    AppendMenuW(file, MF_STRING, 100, L"新建(&N)\tCtrl+N");
    AppendMenuW(file, MF_STRING, 101, L"打开(&O)...\tCtrl+O");
    AppendMenuW(file, MF_POPUP, reinterpret_cast<UINT_PTR>(recent), L"最近的文件(&R)");
    AppendMenuW(file, MF_SEPARATOR, 0, nullptr);
    AppendMenuW(file, MF_STRING, 102, L"退出(&X)");
    AppendMenuW(edit, MF_STRING | MF_GRAYED, 200, L"撤销(&U)\tCtrl+Z");
    AppendMenuW(edit, MF_STRING, 201, L"复制(&C)\tCtrl+C");
    AppendMenuW(edit, MF_STRING, 202, L"粘贴(&P)\tCtrl+V");
    AppendMenuW(view, MF_STRING | MF_CHECKED, 300, L"工具栏(&T)");
    AppendMenuW(view, MF_STRING | MF_CHECKED, 301, L"状态栏(&S)");
    AppendMenuW(view, MF_STRING, 302, L"全屏(&F)");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(file), L"文件(&F)");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(edit), L"编辑(&E)");
    AppendMenuW(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(view), L"查看(&V)");
    windowMenu = view;
    return bar;
}

HWND Child(const wchar_t* type, const wchar_t* text, DWORD style, int x, int y, int width, int height, HWND parent,
           HFONT font, DWORD extended = 0) {
    HWND child = CreateWindowExW(extended, type, text, WS_CHILD | WS_VISIBLE | style, x, y, width, height, parent, nullptr,
                                 GetModuleHandleW(nullptr), nullptr);
    SendMessageW(child, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return child;
}

}  // namespace

HWND OpenFrameworkWindow(HWND gallery) {
    Register(FrameworkWindowClass, &FrameProcedure, COLOR_3DFACE);
    Register(PanelClass, &PanelProcedure, COLOR_3DFACE);
    Register(DocumentClass, &DocumentProcedure, COLOR_WINDOW);
    HMENU windowMenu = nullptr;
    HMENU menu = MakeMenu(windowMenu);
    RECT galleryRect{};
    GetWindowRect(gallery, &galleryRect);
    // Beside the gallery where the screen has room, else over its right side (an owned window
    // stays in front of its owner).
    const int width = 560, height = 380;
    const int x = std::max(0, std::min(int(galleryRect.right) + 8, GetSystemMetrics(SM_CXSCREEN) - width));
    HWND frame = CreateWindowExW(0, FrameworkWindowClass, L"框架窗口", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, x,
                                 galleryRect.top, width, height, gallery, menu,
                                 GetModuleHandleW(nullptr), nullptr);
    if (!frame) {
        DestroyMenu(menu);
        return nullptr;
    }
    const auto font = reinterpret_cast<HFONT>(SendMessageW(gallery, WM_GETFONT, 0, 0));

    HWND panel = CreateWindowExW(0, PanelClass, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER | WS_CLIPCHILDREN, 0, 0,
                                 PanelWidth, 300, frame, reinterpret_cast<HMENU>(2), GetModuleHandleW(nullptr), nullptr);
    Child(L"Static", L"播放列表", SS_LEFT, 10, 10, 120, 18, panel, font);
    HWND check = Child(L"Button", L"自动播放", BS_AUTOCHECKBOX | WS_TABSTOP, 10, 34, 120, 20, panel, font);
    Child(L"Edit", L"搜索", ES_AUTOHSCROLL | WS_TABSTOP, 10, 62, 124, 22, panel, font, WS_EX_CLIENTEDGE);
    SendMessageW(check, BM_SETCHECK, BST_CHECKED, 0);

    CLIENTCREATESTRUCT client{windowMenu, FirstDocumentId};
    CreateWindowExW(WS_EX_CLIENTEDGE, L"MDICLIENT", nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN | WS_VSCROLL | WS_HSCROLL,
                    PanelWidth, 0, 300, 300, frame, reinterpret_cast<HMENU>(ClientId), GetModuleHandleW(nullptr), &client);
    ShowWindow(frame, SW_SHOWNOACTIVATE);
    for (int i = 0; i < 2; ++i) {
        MDICREATESTRUCTW document{DocumentClass, i ? L"文档二" : L"文档一", GetModuleHandleW(nullptr), 12 + 110 * i,
                                  12 + 40 * i, 220, 150, 0, 0};
        SendMessageW(ClientOf(frame), WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&document));
    }
    return frame;
}

}  // namespace qivyun::gallery
