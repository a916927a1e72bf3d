#pragma once
// The skinner kind of each skin type. A new kind is a class of its own (one file pair) and one
// line in the table of SkinnerKinds.cpp.
#include "skin/engine/SkinTypeChoice.h"
#include "skin/engine/WindowSkinner.h"

namespace qivyun::skin {

// A new, unattached skinner of the type's kind; nothing for a type without a kind.
WindowSkinner* CreateSkinnerOfKind(SkinType type);

}  // namespace qivyun::skin
