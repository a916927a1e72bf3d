#pragma once
// How a column header looks: the part of each column by its display position, the text colour
// that goes with a part, and the column under the pointer.
#include "skin/container/SkinParts.h"
#include "skin/engine/SkinRect.h"

#include <span>

namespace qivyun::skin {

// A disabled header draws every column disabled; otherwise only the column at the hot display
// position shows the pointer's state (1 over, 2 held).
SkinPart HeaderColumnPart(int displayPosition, int hotColumn, int mouseState, bool enabled);

// The text colour of a column drawn with a header part: the colour entry 118 below the part.
SkinColour HeaderTextColour(SkinPart part);

// The display position of the first column rectangle (in display order) that holds the point, or
// -1.
int ColumnAtPoint(std::span<const SkinRect> columnsInDisplayOrder, int x, int y);

}  // namespace qivyun::skin
