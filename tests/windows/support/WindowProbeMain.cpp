// window-probe: waits for the main window of a running QivYunPlay, saves a PNG of it, then asks
// it to close the way its exit command does. With SEARCH_PNG it first types a keyword, presses the
// search button, waits for the completion line and saves a second PNG. With POPUP_PNG and PLAY_PNG
// it also searches the test world's slow keyword and saves the window with the waiting popup
// over it, and after the search presses the play tile and saves the play panel. Before SEARCH_PNG
// it loads more rows, so that the list shows its scroll bars, and turns the wheel over the list.
//   window-probe PNG_PATH [SECONDS [SEARCH_PNG [POPUP_PNG PLAY_PNG]]]
// Before the first PNG it waits for the start-up check's status line and prints it, with the system's
// code page.
// With --answer it waits for a message box that shows TEXT and presses its OK button.
//   window-probe --answer TEXT [SECONDS]
// It reads the windows' texts and its arguments in UTF-16, so it finds the program under any system
// code page; paths are taken as given.
#include "WindowCapture.h"
#include "common/CodePage.h"
#include "framework/GdiplusInclude.h"
#include "framework/Text.h"

#include <shellapi.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr int KeywordBox = 1003;
constexpr int SearchButton = 1012;
constexpr int LoadMoreButton = 1011;
constexpr int ResultList = 1007;
constexpr int SearchStatus = 1037;
constexpr int PlayTile = 1008;
constexpr int StatusLine = 1061;
constexpr char DemoKeyword[] = "经典 电影";
constexpr char SlowKeyword[] = "slow";  // the test world answers it after three seconds
constexpr char CompletionStart[] = "搜索已完成！";

void Click(HWND main, int id) {
    PostMessageW(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(main, id)));
}

struct PopupSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<PopupSearch*>(context);
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == search->owner && std::wstring(className) == L"#32770") {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// The waiting popup of the main window, once it shows.
HWND WaitForPopup(HWND main, DWORD seconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000) {
        PopupSearch search{main, nullptr};
        EnumWindows(FindOwnedDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found) return search.found;
        Sleep(50);
    }
    std::fprintf(stderr, "window-probe: no waiting popup within %lu seconds\n", seconds);
    return nullptr;
}

// Searches with the engine ticked at start (or loads more rows) and waits for the completion line.
bool Search(HWND main, DWORD seconds, const char* keyword = DemoKeyword, const char* popupPng = nullptr,
            int button = SearchButton) {
    qivyun::SetText(GetDlgItem(main, KeywordBox), keyword);
    qivyun::SetText(GetDlgItem(main, SearchStatus), "");
    Click(main, button);
    DWORD start = GetTickCount();
    if (popupPng) {
        if (!WaitForPopup(main, 10)) return false;
        Sleep(700);  // the animation turns for a while
        if (!qivyun::test::SaveWindowPng(main, popupPng)) return false;
    }
    std::string status;
    while (GetTickCount() - start < seconds * 1000) {
        status = qivyun::TextOf(GetDlgItem(main, SearchStatus));
        if (status.rfind(CompletionStart, 0) == 0) {
            std::printf("window-probe: the search completed\n");
            return true;
        }
        Sleep(200);
    }
    std::fprintf(stderr, "window-probe: no completion line within %lu seconds (status: %s)\n", seconds,
                 qivyun::Utf8FromGbk(status).c_str());
    return false;
}

struct MessageSearch {
    std::wstring text;
    HWND found;
};

BOOL CALLBACK FindTextInBox(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<MessageSearch*>(context);
    if (qivyun::WideTextOf(child) == search->text) {
        search->found = GetAncestor(child, GA_ROOT);
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindMessageBox(HWND window, LPARAM context) {
    wchar_t className[64] = {};
    GetClassNameW(window, className, 64);
    if (IsWindowVisible(window) && std::wstring(className) == L"#32770") EnumChildWindows(window, FindTextInBox, context);
    return reinterpret_cast<MessageSearch*>(context)->found == nullptr;
}

// Presses OK in the message box that shows the text, once it appears.
int Answer(const std::wstring& text, DWORD seconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000) {
        MessageSearch search{text, nullptr};
        EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            PostMessageW(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            std::printf("window-probe: answered the message\n");
            return 0;
        }
        Sleep(200);
    }
    std::fprintf(stderr, "window-probe: no message box showing the text within %lu seconds\n", seconds);
    return 1;
}

// The start-up check's line, once it has put one there; empty when none came in time.
std::string WaitForStatusLine(HWND main, DWORD seconds) {
    const DWORD start = GetTickCount();
    std::string line;
    while ((line = qivyun::TextOf(GetDlgItem(main, StatusLine))).empty() && GetTickCount() - start < seconds * 1000) Sleep(200);
    return line;
}

// The command line as the system holds it, in UTF-8.
std::vector<std::string> Arguments() {
    int count = 0;
    wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 0; i < count; ++i) arguments.push_back(qivyun::Utf8FromWide(wide[i]));
    LocalFree(wide);
    return arguments;
}

}  // namespace

int main() {
    const std::vector<std::string> arguments = Arguments();
    std::vector<const char*> pointers;
    for (const std::string& argument : arguments) pointers.push_back(argument.c_str());
    const int argc = static_cast<int>(pointers.size());
    const char* const* argv = pointers.data();
    if (argc >= 3 && arguments[1] == "--answer")
        return Answer(qivyun::WideFromUtf8(arguments[2]), argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 60);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window-probe PNG_PATH [SECONDS [SEARCH_PNG]]\n");
        return 2;
    }
    DWORD seconds = argc > 2 ? static_cast<DWORD>(std::atoi(argv[2])) : 60;
    DWORD start = GetTickCount();
    HWND main = nullptr;
    while (!(main = FindWindowW(nullptr, L"Qiv云播盒子")) || !IsWindowVisible(main)) {
        if (GetTickCount() - start > seconds * 1000) {
            std::fprintf(stderr, "window-probe: no main window within %lu seconds\n", seconds);
            return 1;
        }
        Sleep(200);
    }
    const std::string statusLine = WaitForStatusLine(main, seconds);
    std::printf("window-probe: code page %u, status line: %s\n", GetACP(), qivyun::Utf8FromGbk(statusLine).c_str());
    std::fflush(stdout);
    Sleep(1500);  // let it finish painting

    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&token, &input, nullptr);
    bool saved = qivyun::test::SaveWindowPng(main, argv[1]);
    if (!saved) std::fprintf(stderr, "window-probe: cannot write %s\n", argv[1]);
    if (saved && argc > 5) saved = Search(main, 60, SlowKeyword, argv[4]);
    if (saved && argc > 3) {
        saved = Search(main, 60) && Search(main, 60, DemoKeyword, nullptr, LoadMoreButton);
        if (saved) {
            Sleep(1000);  // the popup is gone and the list painted
            const HWND list = GetDlgItem(main, ResultList);
            RECT place;
            GetWindowRect(list, &place);
            PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(place.left + 40, place.top + 60));
            PostMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(place.left + 40, place.top + 60));
            Sleep(500);
            saved = qivyun::test::SaveWindowPng(main, argv[3]);
            if (!saved) std::fprintf(stderr, "window-probe: cannot write %s\n", argv[3]);
        }
    }
    if (saved && argc > 5) {
        Click(main, PlayTile);
        Sleep(1500);
        saved = qivyun::test::SaveWindowPng(main, argv[5]);
    }
    Gdiplus::GdiplusShutdown(token);

    PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return saved ? 0 : 1;
}
