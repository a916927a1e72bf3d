#pragma once
// The small buttons that combo boxes and up-down controls draw: the face of each state, the arrow
// glyph centred on it, and how an up-down control's client area splits into its two buttons.
#include "skin/container/SkinParts.h"
#include "skin/engine/SkinRect.h"

namespace qivyun::skin {

enum class ArrowDirection { Up, Down, Left, Right };

// Disabled before held, held before the pointer over it.
SkinPart SmallButtonFace(bool enabled, bool held, bool over);
SkinPart ArrowGlyph(ArrowDirection direction, bool enabled);
// A picture of width x height in the middle of a rectangle (the odd pixel left and above), moved by
// (shift, shift) while the button is held.
SkinRect CentredIn(const SkinRect& area, int width, int height, int shift = 0);

// The two buttons of an up-down control: up over down, or (UDS_HORZ) left beside right; the first
// takes the smaller half of an odd size, as the system's hit test does.
struct UpDownButtons {
    SkinRect first, second;
    ArrowDirection firstArrow = ArrowDirection::Up, secondArrow = ArrowDirection::Down;
};
UpDownButtons SplitUpDown(int width, int height, bool horizontal);
// 1 over the first button, 2 over the second, 0 elsewhere.
int UpDownButtonAt(const UpDownButtons& buttons, int x, int y);

}  // namespace qivyun::skin
