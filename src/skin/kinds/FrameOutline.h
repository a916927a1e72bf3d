#pragma once
// The shape of a skinned frame: the window's rectangle without the pixels at its sides that the
// title bar and the bottom edge leave to their transparent colour (the rounded corners of our
// skin). The framed-window skinner makes the window's region of it.
#include "skin/container/SkinContainer.h"
#include "skin/kinds/FrameLayout.h"

#include <vector>

namespace qivyun::skin {

// Rectangles in window coordinates whose union is the shape, from the top down; rows of the same
// span are one rectangle. In each row of the title bar and of the bottom edge, the transparent
// pixels from the left side inwards and from the right side inwards are left out; transparent
// pixels inside the row stay in. A row transparent from side to side is left out whole. Without
// an atlas, or across a band whose part draws nothing, the shape is the whole window.
std::vector<GridRect> FrameOutline(const AtlasView& atlas, const ImagePart& titleBar, const ImagePart& bottomEdge,
                                   const FrameLayout& layout);

}  // namespace qivyun::skin
