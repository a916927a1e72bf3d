// window-probe: waits for the main window of a running QivYunPlay, saves a PNG of it, then asks
// it to close the way its exit command does. With SEARCH_PNG it first types a keyword, presses the
// search button, waits for the completion line and saves a second PNG. With POPUP_PNG and PLAY_PNG
// it also searches the test world's slow keyword and saves the window with the waiting popup
// over it, and after the search presses the play tile and saves the play panel. Before SEARCH_PNG
// it loads more rows, so that the list shows its scroll bars, and turns the wheel over the list.
//   window-probe PNG_PATH [SECONDS [SEARCH_PNG [POPUP_PNG PLAY_PNG]]]
// With --answer it waits for a message box that shows TEXT and presses its OK button.
//   window-probe --answer TEXT [SECONDS]
#include "WindowCapture.h"
#include "framework/GdiplusInclude.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int KeywordBox = 1003;
constexpr int SearchButton = 1012;
constexpr int LoadMoreButton = 1011;
constexpr int ResultList = 1007;
constexpr int SearchStatus = 1037;
constexpr int PlayTile = 1008;
constexpr char DemoKeyword[] = "经典 电影";
constexpr char SlowKeyword[] = "slow";  // the test world answers it after three seconds
constexpr char CompletionStart[] = "搜索已完成！";

void Click(HWND main, int id) {
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(main, id)));
}

struct PopupSearch {
    HWND owner;
    HWND found;
};

BOOL CALLBACK FindOwnedDialog(HWND window, LPARAM context) {
    auto* search = reinterpret_cast<PopupSearch*>(context);
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    if (IsWindowVisible(window) && GetWindow(window, GW_OWNER) == search->owner && std::string(className) == "#32770") {
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
    SetDlgItemTextA(main, KeywordBox, keyword);
    SetDlgItemTextA(main, SearchStatus, "");
    Click(main, button);
    DWORD start = GetTickCount();
    if (popupPng) {
        if (!WaitForPopup(main, 10)) return false;
        Sleep(700);  // the animation turns for a while
        if (!qivyun::test::SaveWindowPng(main, popupPng)) return false;
    }
    char status[512] = {};
    while (GetTickCount() - start < seconds * 1000) {
        GetDlgItemTextA(main, SearchStatus, status, sizeof(status));
        if (std::string(status).rfind(CompletionStart, 0) == 0) {
            std::printf("window-probe: the search completed\n");
            return true;
        }
        Sleep(200);
    }
    std::fprintf(stderr, "window-probe: no completion line within %lu seconds (status: %s)\n", seconds, status);
    return false;
}

struct MessageSearch {
    const char* text;
    HWND found;
};

BOOL CALLBACK FindTextInBox(HWND child, LPARAM context) {
    auto* search = reinterpret_cast<MessageSearch*>(context);
    char text[1024] = {};
    GetWindowTextA(child, text, sizeof(text));
    if (std::string(text) == search->text) {
        search->found = GetAncestor(child, GA_ROOT);
        return FALSE;
    }
    return TRUE;
}

BOOL CALLBACK FindMessageBox(HWND window, LPARAM context) {
    char className[64] = {};
    GetClassNameA(window, className, sizeof(className));
    if (IsWindowVisible(window) && std::string(className) == "#32770") EnumChildWindows(window, FindTextInBox, context);
    return reinterpret_cast<MessageSearch*>(context)->found == nullptr;
}

// Presses OK in the message box that shows the text, once it appears.
int Answer(const char* text, DWORD seconds) {
    DWORD start = GetTickCount();
    while (GetTickCount() - start < seconds * 1000) {
        MessageSearch search{text, nullptr};
        EnumWindows(FindMessageBox, reinterpret_cast<LPARAM>(&search));
        if (search.found) {
            PostMessageA(search.found, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
            std::printf("window-probe: answered the message\n");
            return 0;
        }
        Sleep(200);
    }
    std::fprintf(stderr, "window-probe: no message box showing the text within %lu seconds\n", seconds);
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc >= 3 && std::string(argv[1]) == "--answer")
        return Answer(argv[2], argc > 3 ? static_cast<DWORD>(std::atoi(argv[3])) : 60);
    if (argc < 2) {
        std::fprintf(stderr, "usage: window-probe PNG_PATH [SECONDS [SEARCH_PNG]]\n");
        return 2;
    }
    DWORD seconds = argc > 2 ? static_cast<DWORD>(std::atoi(argv[2])) : 60;
    DWORD start = GetTickCount();
    HWND main = nullptr;
    while (!(main = FindWindowA(nullptr, "Qiv云播盒子")) || !IsWindowVisible(main)) {
        if (GetTickCount() - start > seconds * 1000) {
            std::fprintf(stderr, "window-probe: no main window within %lu seconds\n", seconds);
            return 1;
        }
        Sleep(200);
    }
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
            PostMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(place.left + 40, place.top + 60));
            PostMessageA(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), MAKELPARAM(place.left + 40, place.top + 60));
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

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return saved ? 0 : 1;
}
