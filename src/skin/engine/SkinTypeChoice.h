#pragma once
// Which skin type a window gets from its class name and style.
#include "skin/engine/SkinTypes.h"

#include <cstdint>
#include <string_view>

namespace qivyun::skin {

// The class dispatch over the table of skin types: the classes in the table's order, "Button" by
// the low four style bits, any other class only with both caption bits (AfxFrame when its name
// contains "Afx:", else Dialog). Names are compared as code page 936 text: a part of a name is
// found only at character starts.
SkinType SkinTypeForClass(std::string_view className, uint32_t style);

// A part of a multibyte (code page 936) name, matched at character starts only.
bool ContainsText(std::string_view name, std::string_view part);

}  // namespace qivyun::skin
