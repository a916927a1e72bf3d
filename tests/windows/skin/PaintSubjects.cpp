#include "PaintSubjects.h"

#include "../support/ProgramServices.h"
#include "../support/ReportList.h"
#include "shell/MainDialog.h"

#include <commctrl.h>

#include <memory>

namespace qivyun::test {
namespace {

constexpr int PanelLeft = 945;  // beside the main window, which stands at the screen's top-left
constexpr int PanelWidth = 330, PanelHeight = 1000;
constexpr int ListRows = 40;  // more than the list shows, so that it shows its vertical bar

// The subjects' windows, in the order of PaintSubjects.
struct Subjects {
    std::unique_ptr<MainDialog> main;
    HWND panel = nullptr;
    std::array<HWND, PaintSubjects.size()> windows{};
};

HWND Control(HWND panel, HFONT font, const char* className, const char* text, DWORD style, RECT place,
             DWORD exStyle = 0) {
    HWND control = CreateWindowExA(exStyle, className, text, WS_CHILD | WS_VISIBLE | style, place.left, place.top,
                                   place.right, place.bottom, panel, nullptr, GetModuleHandleA(nullptr), nullptr);
    SendMessageA(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    return control;
}

// One control of each kind on a dialog of their own, in the main window's font, at the sizes the
// main window gives its own.
void MakePanel(Subjects& subjects) {
    HWND panel = CreateWindowExA(0, "#32770", "", WS_POPUP | WS_VISIBLE, PanelLeft, 0, PanelWidth, PanelHeight,
                                 nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    const auto font = reinterpret_cast<HFONT>(SendMessageA(subjects.main->Handle(), WM_GETFONT, 0, 0));
    auto& windows = subjects.windows;
    windows[0] = subjects.main->Handle();
    windows[1] = Control(panel, font, "Button", "搜索资源", BS_PUSHBUTTON, {10, 10, 90, 26});
    windows[2] = Control(panel, font, "Button", "BT Hash 搜索引擎(推荐)", BS_AUTOCHECKBOX, {10, 46, 200, 20});
    SendMessageA(windows[2], BM_SETCHECK, BST_CHECKED, 0);
    windows[3] = Control(panel, font, "Button", "MTkan 云播引擎(主引擎)", BS_AUTORADIOBUTTON, {10, 72, 200, 20});
    SendMessageA(windows[3], BM_SETCHECK, BST_CHECKED, 0);
    windows[4] = Control(panel, font, "Button", " 搜索引擎选项 ", BS_GROUPBOX, {10, 100, 300, 90});
    // As the main window's result list: report view, four columns, more rows than it shows.
    HWND list = Control(panel, font, WC_LISTVIEWA, "", LVS_REPORT | WS_BORDER, {10, 300, 300, 280});
    FillReportList(list, {"ID", "影片名称", "大小", "地址"}, 80, ListRows);
    windows[5] = ListView_GetHeader(list);
    windows[6] = Control(panel, font, "Edit", "经典 电影", ES_AUTOHSCROLL | WS_BORDER, {10, 200, 300, 24});
    windows[7] = list;
    windows[8] = Control(panel, font, PROGRESS_CLASSA, "", 0, {10, 240, 300, 18});
    SendMessageA(windows[8], PBM_SETPOS, 60, 0);
    windows[9] = Control(panel, font, WC_TABCONTROLA, "", 0, {10, 600, 300, 110});
    for (const wchar_t* title : {L"常规", L"高级", L"关于"}) {
        TCITEMW item{};
        item.mask = TCIF_TEXT;
        item.pszText = const_cast<wchar_t*>(title);
        SendMessageW(windows[9], TCM_INSERTITEMW, 3, reinterpret_cast<LPARAM>(&item));
    }
    windows[10] = Control(panel, font, DATETIMEPICK_CLASSA, "", DTS_SHORTDATEFORMAT, {10, 720, 160, 24});
    windows[11] = Control(panel, font, MONTHCAL_CLASSA, "", WS_BORDER, {10, 750, 240, 160});
    // Placed by hand beside the others, not along the panel's top and bottom.
    windows[12] = Control(panel, font, TOOLBARCLASSNAMEA, "", TBSTYLE_FLAT | TBSTYLE_LIST | CCS_NOPARENTALIGN | CCS_NORESIZE | CCS_NODIVIDER,
                          {10, 920, 300, 28});
    SendMessageW(windows[12], TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON), 0);
    for (const wchar_t* text : {L"打开", L"显示", L"更多"}) {
        TBBUTTON button{I_IMAGENONE, 0, TBSTATE_ENABLED, BTNS_BUTTON | BTNS_AUTOSIZE, {}, 0, reinterpret_cast<INT_PTR>(text)};
        SendMessageW(windows[12], TB_ADDBUTTONSW, 1, reinterpret_cast<LPARAM>(&button));
    }
    windows[13] = Control(panel, font, STATUSCLASSNAMEA, "", CCS_NOPARENTALIGN, {10, 956, 300, 22});
    const int ends[] = {100, 200, -1};
    SendMessageA(windows[13], SB_SETPARTS, 3, reinterpret_cast<LPARAM>(ends));
    SendMessageW(windows[13], SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(L"就绪"));
    subjects.panel = panel;
}

void PumpPending() {
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

void Repaint(HWND window, bool withChildren) {
    RedrawWindow(window, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_UPDATENOW |
                     (withChildren ? RDW_ALLCHILDREN : RDW_NOCHILDREN));
}

// Nanoseconds per repaint of a subject, its windows on top of the other process's.
LRESULT TimeRepaints(const Subjects& subjects, size_t index, int repeats) {
    if (index >= subjects.windows.size() || repeats <= 0) return 0;
    for (HWND top : {subjects.main->Handle(), subjects.panel})
        SetWindowPos(top, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    PumpPending();
    HWND window = subjects.windows[index];
    const bool wholeWindow = index == 0;
    for (int i = 0; i < 3; ++i) Repaint(window, wholeWindow);
    GdiFlush();
    LARGE_INTEGER frequency, start, end;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&start);
    for (int i = 0; i < repeats; ++i) Repaint(window, wholeWindow);
    GdiFlush();
    QueryPerformanceCounter(&end);
    const double seconds = double(end.QuadPart - start.QuadPart) / double(frequency.QuadPart);
    return static_cast<LRESULT>(seconds * 1e9 / repeats);
}

Subjects* served = nullptr;

LRESULT CALLBACK RequestProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case TimeRepaintsMessage:
        return served ? TimeRepaints(*served, static_cast<size_t>(wParam), static_cast<int>(lParam)) : 0;
    case WM_DESTROY:
        PostQuitMessage(0);
        return 0;
    default:
        return DefWindowProcA(window, message, wParam, lParam);
    }
}

}  // namespace

int ServePaintSubjects(const char* title) {
    // As the program starts; the main window loads the skin when its resources carry one.
    ProgramServices services;

    Subjects subjects;
    subjects.main = std::make_unique<MainDialog>(
        StartupCheckSettings{"http://127.0.0.1:9/QivYun/QivYunUpdate.txt", "qivyun-paint-benchmark.ini", "", ""});
    if (!subjects.main->Create(nullptr)) return 1;
    MakePanel(subjects);
    served = &subjects;

    WNDCLASSA requestClass{};
    requestClass.lpfnWndProc = &RequestProcedure;
    requestClass.hInstance = GetModuleHandleA(nullptr);
    requestClass.lpszClassName = PaintServerClass;
    RegisterClassA(&requestClass);
    // Made last: once the benchmark finds it, every subject stands.
    CreateWindowExA(0, PaintServerClass, title, WS_POPUP, 0, 0, 1, 1, nullptr, nullptr, GetModuleHandleA(nullptr),
                    nullptr);

    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0) {
        if (Dialog::PreTranslate(message)) continue;
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    served = nullptr;
    DestroyWindow(subjects.panel);
    subjects.main.reset();
    return 0;
}

}  // namespace qivyun::test
