#include "skin/kinds/FrameClientSkinner.h"

#include "framework/MessageCrackers.h"
#include "skin/container/DrawPart.h"
#include "skin/engine/SkinnerDrawing.h"

namespace qivyun::skin {

LRESULT FrameClientSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    const SkinData* skin = LoadedSkin();
    if (!skin) return CallPrevious(message, wParam, lParam);
    switch (message) {
    case WM_ERASEBKGND: {
        RECT client;
        GetClientRect(window, &client);
        DrawPart(crack::Dc(wParam), client, skin->Part(SkinPart::WorkspaceBackground), *skin);
        return 1;
    }
    case WM_NCPAINT:
        PaintBorderAroundSystemBars(*this, wParam, *skin);
        return 0;
    case WM_SIZE:
        // The workspace part stretches with the window: all of it is drawn again.
        return CallPreviousThen(message, wParam, lParam, [this] { InvalidateRect(window, nullptr, TRUE); });
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

}  // namespace qivyun::skin
