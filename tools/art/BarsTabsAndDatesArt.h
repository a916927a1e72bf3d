#pragma once
// The atlas's parts of status bars, tab controls, toolbars and date-time pickers.
#include "SkinAtlasCanvas.h"
#include "skin/container/SkinParts.h"

namespace qivyun::art::atlas {

// Paints the part when it is one of these controls'; false for any other part.
bool PaintBarTabOrDatePart(qivyun::skin::SkinPart part, PartCanvas& canvas);

}  // namespace qivyun::art::atlas
