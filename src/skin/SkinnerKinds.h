#pragma once
// The skinner of each kind. A new kind is a class of its own (one file pair in kinds/) and one line
// in the table of SkinnerKinds.cpp; the table of skin types says which types are of the kind.
#include "skin/engine/SkinTypes.h"
#include "skin/engine/SkinnerServices.h"
#include "skin/engine/WindowSkinner.h"

namespace qivyun::skin {

// A new, unattached skinner of the type's kind, handed the context; nothing for a type whose kind
// has no skinner.
WindowSkinner* CreateSkinnerOfKind(SkinType type, const SkinnerContext& context);

}  // namespace qivyun::skin
