#include "skin/ProgressSkinner.h"

#include "skin/ProgressFill.h"
#include "skin/SkinnerDrawing.h"
#include "skin/Unpatched.h"

#include <commctrl.h>

namespace qivyun::skin {

LRESULT ProgressSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT: {
        PAINTSTRUCT paint;
        unpatched::BeginPaint(window, &paint);
        unpatched::EndPaint(window, &paint);
        DrawProgress();
        return 0;
    }
    case WM_NCPAINT:
        DrawProgress();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

void ProgressSkinner::DrawProgress() {
    const SkinData* skin = LoadedSkin();
    if (!skin) return;
    HDC windowDc = unpatched::GetWindowDC(window);
    if (!windowDc) return;
    const RECT all = WindowRectAtOrigin(window);
    OffScreenBuffer buffer(windowDc, all.right, all.bottom);
    if (buffer) {
        FillSkinBackground(window, buffer.Dc(), all, *skin);
        const int position = static_cast<int>(SendMessageA(window, PBM_GETPOS, 0, 0));
        PBRANGE range{};
        SendMessageA(window, PBM_GETRANGE, TRUE, reinterpret_cast<LPARAM>(&range));
        const bool vertical = (unpatched::GetWindowLongA(window, GWL_STYLE) & PBS_VERTICAL) != 0;
        const bool enabled = IsWindowEnabled(window) != FALSE;
        const SkinPart trough = vertical ? (enabled ? SkinPart::ProgressTroughVertical
                                                    : SkinPart::ProgressTroughVerticalDisabled)
                                         : (enabled ? SkinPart::ProgressTrough : SkinPart::ProgressTroughDisabled);
        const SkinPart bar = vertical ? (enabled ? SkinPart::ProgressBarVertical : SkinPart::ProgressBarVerticalDisabled)
                                      : (enabled ? SkinPart::ProgressBar : SkinPart::ProgressBarDisabled);
        DrawSkinPart(buffer.Dc(), all, trough, *skin);
        const ImagePart& troughPart = skin->Part(trough);
        const TroughMargins margins{troughPart.left, troughPart.top, troughPart.right, troughPart.bottom};
        const int filled = ProgressFillLength(position, range.iLow, range.iHigh, vertical ? all.bottom : all.right);
        const SkinRect barRect = ProgressBarRect(all.right, all.bottom, filled, margins, vertical);
        if (!barRect.Empty()) DrawSkinPart(buffer.Dc(), ToRect(barRect), bar, *skin);
        buffer.CopyTo(windowDc, 0, 0);
    }
    unpatched::ReleaseDC(window, windowDc);
}

}  // namespace qivyun::skin
