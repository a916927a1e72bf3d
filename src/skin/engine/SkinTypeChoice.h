#pragma once
// Which skin type a window gets from its class name and style.
#include <cstdint>
#include <string_view>

namespace qivyun::skin {

// Skin types 1001 to 1037; 0 stands for none.
using SkinType = uint16_t;

// The class dispatch: listed classes in their order, "Button" by the low four style bits, any
// other class only with both caption bits (1035 when its name contains "Afx:", else 1034). Names
// are compared as code page 936 text: a part of a name is found only at character starts.
SkinType SkinTypeForClass(std::string_view className, uint32_t style);

// A part of a multibyte (code page 936) name, matched at character starts only.
bool ContainsText(std::string_view name, std::string_view part);

}  // namespace qivyun::skin
