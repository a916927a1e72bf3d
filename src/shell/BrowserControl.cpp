#include "shell/BrowserControl.h"

namespace qivyun {

void BrowserControl::RegisterWindowClass() {
    WNDCLASSA existing;
    if (GetClassInfoA(ModuleInstance(), WebBrowserClassId, &existing)) return;
    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = ModuleInstance();
    windowClass.hCursor = LoadCursor(nullptr, IDC_ARROW);
    windowClass.lpszClassName = WebBrowserClassId;
    RegisterClassA(&windowClass);
}

}  // namespace qivyun
