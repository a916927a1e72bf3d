#include "skin/kinds/ProgressSkinner.h"

#include "framework/MessageCrackers.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/kinds/ProgressFill.h"
#include "skin/patching/Unpatched.h"

#include <commctrl.h>

namespace qivyun::skin {

LRESULT ProgressSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        // The system's paint only validates; the bar is drawn through its window DC, frame and all.
        PaintBetweenBeginAndEnd(window, [](HDC) {});
        DrawProgress();
        return 0;
    case WM_NCPAINT:
        // A bar without a frame is drawn whole by its WM_PAINT; drawn here too it would be drawn twice.
        if (HasFrame()) DrawProgress();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_ENABLE:
        // Disabled at once, not at the next change of position.
        return CallPreviousThen(message, wParam, lParam, [this] { DrawProgress(); });
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

bool ProgressSkinner::HasFrame() const {
    const RECT outer = WindowRectAtOrigin(window), client = ClientRectInWindow(window);
    return !EqualRect(&outer, &client);
}

void ProgressSkinner::DrawProgress() {
    const SkinData& skin = Skin();
    PaintWindowOffScreen(window, skin, [this, &skin](HDC dc, const RECT& all) {
        FillSkinBackground(window, dc, all, skin);
        // Asked of the control's own procedure, which the messages would reach past the thread's hooks.
        const int position = static_cast<int>(CallPrevious(PBM_GETPOS, 0, 0));
        PBRANGE range{};
        CallPrevious(PBM_GETRANGE, TRUE, RecordParameter(&range));
        const bool vertical = (unpatched::GetWindowLongA(window, GWL_STYLE) & PBS_VERTICAL) != 0;
        const bool enabled = IsWindowEnabled(window) != FALSE;
        const SkinPart trough = vertical ? (enabled ? SkinPart::ProgressTroughVertical
                                                    : SkinPart::ProgressTroughVerticalDisabled)
                                         : (enabled ? SkinPart::ProgressTrough : SkinPart::ProgressTroughDisabled);
        const SkinPart bar = vertical ? (enabled ? SkinPart::ProgressBarVertical : SkinPart::ProgressBarVerticalDisabled)
                                      : (enabled ? SkinPart::ProgressBar : SkinPart::ProgressBarDisabled);
        DrawSkinPart(dc, all, trough, skin);
        const ImagePart& troughPart = skin.Part(trough);
        const TroughMargins margins{troughPart.left, troughPart.top, troughPart.right, troughPart.bottom};
        const int filled = ProgressFillLength(position, range.iLow, range.iHigh, vertical ? all.bottom : all.right);
        const SkinRect barRect = ProgressBarRect(all.right, all.bottom, filled, margins, vertical);
        if (!barRect.Empty()) DrawSkinPart(dc, ToRect(barRect), bar, skin);
    });
}

}  // namespace qivyun::skin
