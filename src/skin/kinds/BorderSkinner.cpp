#include "skin/kinds/BorderSkinner.h"

#include "skin/engine/SkinnerDrawing.h"

namespace qivyun::skin {

LRESULT BorderSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCPAINT:
        PaintBorder();
        return 0;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        return CallPreviousThen(message, wParam, lParam, [this] { PaintBorder(); });
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

void BorderSkinner::PaintBorder() const {
    if (const SkinData* skin = LoadedSkin()) PaintNonClientBorder(window, ClientRectInWindow(window), *skin);
}

}  // namespace qivyun::skin
