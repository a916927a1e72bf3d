#pragma once
// Drawing an image part of the skin by the nine-grid rule: the pieces that NineGrid plans, copied
// with BitBlt, stretched with DrawDib, and keyed with TransparentBlt where the part has a
// transparent colour; a part drawn at a size it was drawn at before comes from the skin's drawings.
#include "skin/container/NineGrid.h"
#include "skin/container/SkinData.h"

#include <windows.h>

namespace qivyun::skin {

void DrawPart(HDC destination, const RECT& rectangle, const ImagePart& part, const SkinData& skin);

// The nine-grid's rectangles and the system's.
inline RECT ToRect(const GridRect& r) { return RECT{r.x, r.y, r.x + r.width, r.y + r.height}; }
inline GridRect ToGridRect(const RECT& r) { return GridRect{r.left, r.top, r.right - r.left, r.bottom - r.top}; }

}  // namespace qivyun::skin
