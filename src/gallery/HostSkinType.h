#pragma once
// The gallery's windows that stand for a host's own: the host names their skin type ("ZOR_C") as
// they are made, before the engine's hook looks at them, and takes the name away as they go.
#include "common/CodePage.h"
#include "skin/engine/SkinProperties.h"
#include "skin/engine/SkinTypes.h"

#include <windows.h>

#include <string>

namespace qivyun::gallery {

// Called first by the window procedure of such a window with every message.
inline void NameSkinTypeAsAHostDoes(HWND window, UINT message, skin::SkinType type) {
    static const std::wstring property = WideFromUtf8(skin::SkinTypeProperty);
    if (message == WM_NCCREATE) SetPropW(window, property.c_str(), reinterpret_cast<HANDLE>(UINT_PTR{type}));
    if (message == WM_NCDESTROY) RemovePropW(window, property.c_str());
}

}  // namespace qivyun::gallery
