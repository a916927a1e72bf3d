#pragma once
// The painters of the common controls' parts: the small buttons of combo boxes and up-down
// controls with their arrow glyphs, and the trackbar's channel and thumb.
#include "SkinAtlasCanvas.h"
#include "skin/container/SkinParts.h"

namespace qivyun::art::atlas {

// Paints a part of these controls; any other part is left as it is (magenta).
void PaintControlPart(qivyun::skin::SkinPart part, PartCanvas& c);

}  // namespace qivyun::art::atlas
