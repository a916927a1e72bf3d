// window-probe: waits for the main window of a running QivYunPlay, saves a PNG of it, then asks
// it to close the way its exit command does. With SEARCH_PNG it first types a keyword, presses the
// search button, waits for the completion line and saves a second PNG.
//   window-probe PNG_PATH [SECONDS [SEARCH_PNG]]
#include "WindowCapture.h"
#include "framework/GdiplusInclude.h"

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

constexpr int KeywordBox = 1003;
constexpr int SearchButton = 1012;
constexpr int SearchStatus = 1037;
constexpr char DemoKeyword[] = "经典 电影";
constexpr char CompletionStart[] = "搜索已完成！";

// Searches with the engine ticked at start and waits for the completion line.
bool Search(HWND main, DWORD seconds) {
    SetDlgItemTextA(main, KeywordBox, DemoKeyword);
    PostMessageA(main, WM_COMMAND, MAKEWPARAM(SearchButton, BN_CLICKED), reinterpret_cast<LPARAM>(GetDlgItem(main, SearchButton)));
    DWORD start = GetTickCount();
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

}  // namespace

int main(int argc, char** argv) {
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
    if (saved && argc > 3) {
        saved = Search(main, 60);
        if (saved) {
            Sleep(1000);  // the popup is gone and the list painted
            saved = qivyun::test::SaveWindowPng(main, argv[3]);
            if (!saved) std::fprintf(stderr, "window-probe: cannot write %s\n", argv[3]);
        }
    }
    Gdiplus::GdiplusShutdown(token);

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return saved ? 0 : 1;
}
