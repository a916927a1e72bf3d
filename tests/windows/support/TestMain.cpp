// The Windows tests' main: the process-wide services the programs start for themselves.
#include "framework/GdiplusInclude.h"
#include "skin/SkinEngine.h"

#include <commctrl.h>
#include <gtest/gtest.h>
#include <ole2.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    testing::InitGoogleTest(&argc, argv);
    // A run meant for another system code page that finds the system on this one would pass having
    // tested nothing of it.
    if (const char* asked = std::getenv("QIVYUN_CODE_PAGE"); asked && std::to_string(GetACP()) != asked) {
        std::fprintf(stderr, "started for code page %s, but the system's is %u\n", asked, GetACP());
        return 1;
    }
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    ULONG_PTR gdiplusToken = 0;
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&gdiplusToken, &input, nullptr);
    // As both programs do at start: the windows of this thread are skinned once a skin is loaded.
    qivyun::skin::AttachSkinEngine(GetModuleHandleA(nullptr));
    int result = RUN_ALL_TESTS();
    Gdiplus::GdiplusShutdown(gdiplusToken);
    OleUninitialize();
    return result;
}
