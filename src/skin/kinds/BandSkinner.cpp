#include "skin/kinds/BandSkinner.h"

#include "framework/MessageCrackers.h"
#include "skin/engine/SkinnerDrawing.h"

namespace qivyun::skin {

SkinPart BandSkinner::Face() const {
    return IsWindowEnabled(window) ? SkinPart::TravelBandBackground : SkinPart::TravelBandBackgroundDisabled;
}

LRESULT BandSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const SkinData* skin = LoadedSkin();
    switch (message) {
    case WM_ERASEBKGND:
        if (!skin) break;
        // The face lies across the whole window: its edges are the border, in the frame or, for a
        // window without one, at the client area's edges.
        DrawSkinPart(crack::Dc(wParam), WindowInClient(window), Face(), *skin);
        return 1;
    case WM_NCPAINT:
        if (!skin) break;
        PaintFrameOffScreen(window, *skin, [&](HDC dc, const RECT& all) { DrawSkinPart(dc, all, Face(), *skin); });
        return 0;
    case WM_ENABLE:
        return CallPreviousThen(message, wParam, lParam, [this] {
            RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
        });
    default:
        break;
    }
    return CallPrevious(message, wParam, lParam);
}

}  // namespace qivyun::skin
