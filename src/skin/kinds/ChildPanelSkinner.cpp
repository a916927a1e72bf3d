#include "skin/kinds/ChildPanelSkinner.h"

#include "skin/engine/SkinnerDrawing.h"

namespace qivyun::skin {

LRESULT ChildPanelSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const SkinData* skin = LoadedSkin();
    if (skin && !IsFramedWindow()) {
        if (message == WM_NCPAINT) {
            PaintBorderAroundSystemBars(*this, wParam, *skin);
            return 0;
        }
        // The border follows the panel's state.
        if (message == WM_ENABLE)
            return CallPreviousThen(message, wParam, lParam, [&] { PaintBorderAroundSystemBars(*this, 1, *skin); });
    }
    return DialogSkinner::WindowProc(message, wParam, lParam);
}

}  // namespace qivyun::skin
