#pragma once
// Drawing an image part of the skin by the nine-grid rule: the pieces that NineGrid plans, copied
// with BitBlt, stretched with DrawDib, and keyed with TransparentBlt where the part has a
// transparent colour.
#include <windows.h>

#include "skin/container/SkinData.h"

namespace qivyun::skin {

void DrawPart(HDC destination, const RECT& rectangle, const ImagePart& part, const SkinData& skin);

}  // namespace qivyun::skin
