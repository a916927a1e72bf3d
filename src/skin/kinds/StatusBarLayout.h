#pragma once
// How a status bar lays out: the columns of a part's text, the lines between parts, the grip.
#include "skin/engine/SkinRect.h"

#include <span>
#include <string_view>
#include <vector>

namespace qivyun::skin {

// A part's text as the system aligns it: what comes before the first tab is left-aligned, what
// follows it centred, what follows a second tab right-aligned.
struct StatusTextColumns {
    std::wstring_view left, centre, right;
};
StatusTextColumns SplitStatusText(std::wstring_view text);

// The lines between neighbouring parts, `width` wide and centred on each boundary, over the bar's
// height; none after the last part, nor after a part that ends at or past the bar's right edge.
std::vector<SkinRect> StatusDividers(std::span<const SkinRect> parts, int width, int barRight, int barTop, int barBottom);

// The grip of a bar with the size-grip style: its picture's size, in the client's bottom-right
// corner, two pixels in from both edges.
SkinRect StatusGripRect(int clientWidth, int clientHeight, int gripWidth, int gripHeight);

}  // namespace qivyun::skin
