#pragma once
// The filled share of a progress bar and the rectangle of its bar inside the trough.
#include "skin/engine/SkinRect.h"

namespace qivyun::skin {

// The pixels of a trough `length` long that the position fills: the percentage of the range,
// truncated, then that share of the length, truncated again (3999 of 4000 fills 99 %). An empty
// or inverted range fills nothing; a position outside the range counts as its nearest limit.
int ProgressFillLength(int position, int low, int high, int length);

struct TroughMargins {
    int left = 0, top = 0, right = 0, bottom = 0;
};

// The bar over `filled` pixels of a width x height control, inset by the trough's margins: from
// the left edge of a horizontal bar, from the bottom of a vertical one. Empty when nothing is
// filled.
SkinRect ProgressBarRect(int width, int height, int filled, const TroughMargins& margins, bool vertical);

}  // namespace qivyun::skin
