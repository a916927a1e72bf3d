#pragma once
// How a date-time picker's drop-down button looks and where it lies.
#include "skin/container/SkinParts.h"
#include "skin/engine/SkinRect.h"

namespace qivyun::skin {

// The button the system hit-tests for the drop-down: `width` wide at the client's right end, the
// client's whole height.
SkinRect DateDropButtonRect(int clientWidth, int clientHeight, int width);

// Disabled first; held while the left button is down on it or the calendar is down; then the pointer.
SkinPart DateDropButtonPart(bool enabled, bool held, bool hot);
SkinPart DateDropGlyphPart(bool enabled);

// A picture of the given size in the middle of a rectangle (its odd pixel to the left and top).
SkinRect CentredIn(SkinRect box, int width, int height);

}  // namespace qivyun::skin
