#include "ProgramServices.h"

#include "framework/GdiplusInclude.h"
#include "skin/SkinEngine.h"

#include <commctrl.h>
#include <ole2.h>

namespace qivyun::test {

ProgramServices::ProgramServices() {
    OleInitialize(nullptr);
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    Gdiplus::GdiplusStartupInput input;
    Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr);
    skin::AttachSkinEngine(GetModuleHandleA(nullptr));
}

ProgramServices::~ProgramServices() {
    Gdiplus::GdiplusShutdown(gdiplusToken_);
    OleUninitialize();
}

}  // namespace qivyun::test
