#include "skin/kinds/PushButtonSkinner.h"

#include "skin/engine/SkinnerDrawing.h"

namespace qivyun::skin {

ButtonCondition PushButtonSkinner::Condition() const {
    return {IsWindowEnabled(window) != FALSE, mouseState, HasFocus()};
}

void PushButtonSkinner::PaintContent(HDC dc, const RECT& client, DWORD style, const SkinData& skin) {
    const ButtonCondition condition = Condition();
    DrawSkinPart(dc, client, PushButtonPart(condition), skin);
    RECT content = client;
    InflateRect(&content, -2, -2);
    if (style & (BS_ICON | BS_BITMAP)) {
        PaintImage(dc, content, (style & BS_ICON) != 0);
        return;
    }
    // A caption a little wider than the room inside the frame may use the frame's edges rather than
    // lose its last character to an ellipsis.
    RECT edges = client;
    if (mouseState == 2) {
        const POINT shift = skin.Pair(SkinPair::PushButtonPressedShift);
        OffsetRect(&content, shift.x, shift.y);
        OffsetRect(&edges, shift.x, shift.y);
    }
    PaintText(dc, content, PushButtonTextPlacement(style), SkinTextColour(window, TextColour(condition.enabled), skin),
              &edges);
}

}  // namespace qivyun::skin
