#pragma once
// The atlas's parts of framed windows' menu bars and of the workspace behind frame and MDI clients.
#include "SkinAtlasCanvas.h"
#include "skin/container/SkinParts.h"

namespace qivyun::art::atlas {

// Paints the part when it is one of these; false for any other part.
bool PaintMenuBarOrWorkspacePart(qivyun::skin::SkinPart part, PartCanvas& canvas);

}  // namespace qivyun::art::atlas
