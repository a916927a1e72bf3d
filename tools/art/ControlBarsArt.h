#pragma once
// The atlas's parts of rebars, framework control bars and band windows.
#include "SkinAtlasCanvas.h"
#include "skin/container/SkinParts.h"

namespace qivyun::art::atlas {

// Paints the part when it is one of these bars'; false for any other part.
bool PaintControlBarPart(qivyun::skin::SkinPart part, PartCanvas& canvas);

}  // namespace qivyun::art::atlas
