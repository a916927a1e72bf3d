// window-probe: waits for the main window of a running QivYunPlay, saves a PNG of it, then asks
// it to close the way its exit command does.
//   window-probe PNG_PATH [SECONDS]
#include "WindowCapture.h"
#include "framework/GdiplusInclude.h"

#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: window-probe PNG_PATH [SECONDS]\n");
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
    Gdiplus::GdiplusShutdown(token);
    if (!saved) std::fprintf(stderr, "window-probe: cannot write %s\n", argv[1]);

    PostMessageA(main, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
    return saved ? 0 : 1;
}
