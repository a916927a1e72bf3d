#pragma once
// How a scroll bar of the skin looks: its arrows, track and thumb drawn from the skin's parts of
// the bar's orientation, the part under the pointer over or held, the disabled looks where the
// bar or an arrow is disabled; composed off screen and copied to the bar in one block.
#include "skin/container/SkinData.h"
#include "skin/kinds/ScrollBarLayout.h"

#include <windows.h>

namespace qivyun::skin {

// How the pointer marks a part: not at all, over it, or held down on it.
enum class PointerLook { Normal = 0, Over = 1, Held = 2 };

// Paints the bar laid out by layout into rect of dc; `hot` is the part the pointer marks with
// `look` (None for no part).
void PaintScrollBar(HDC dc, const RECT& rect, bool horizontal, const BarLayout& layout, BarPart hot, PointerLook look,
                    const SkinData& skin);

}  // namespace qivyun::skin
