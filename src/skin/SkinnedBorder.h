#pragma once
// The border a skinner draws around a control in the non-client area: the frame between the
// window's edge and an inner rectangle, as a 1-pixel line over a fill in the skin's border colours
// of the control's state (disabled, focused, normal) when the control has an edge or border style,
// otherwise filled with the skin's background.
#include "skin/SkinData.h"

#include <windows.h>

namespace qivyun::skin {

// inner is in window coordinates; nothing is drawn when it covers the whole window. Drawn through
// the window's DC past any redirection of it.
void PaintNonClientBorder(HWND window, const RECT& inner, const SkinData& skin);

// The client area in window coordinates.
RECT ClientRectInWindow(HWND window);

}  // namespace qivyun::skin
