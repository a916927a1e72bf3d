#pragma once
// What a trackbar shows: the channel part centred on the system's channel, the thumb part of its
// state over the system's thumb, and the tick marks at the values the control keeps.
#include "skin/container/SkinParts.h"
#include "skin/engine/SkinRect.h"

#include <vector>

namespace qivyun::skin {

SkinPart TrackbarChannelPart(bool vertical, bool enabled);
// Disabled before held (dragged), held before the pointer over it.
SkinPart TrackbarThumbPart(bool vertical, bool enabled, bool held, bool over);

// The channel drawn `thickness` across, centred on the system's channel, as long as it.
SkinRect TrackbarChannelRect(const SkinRect& systemChannel, bool vertical, int thickness);

struct TickRequest {
    bool vertical = false;
    // Which sides of the thumb carry ticks: above (or left of) it, below (or right of) it.
    bool before = false, after = true;
    int minimum = 0, maximum = 0;
    std::vector<int> values;    // the ticks between the ends; the ends always have one
    SkinRect channel;           // the system's channel
    SkinRect thumb;             // the system's thumb, for the sides across and its length along
};
// One rectangle per tick (1 pixel wide along the bar), the ends' ticks a pixel longer. A tick
// stands where the thumb's middle stands at its value, as the system places the thumb.
std::vector<SkinRect> TrackbarTicks(const TickRequest& request);

}  // namespace qivyun::skin
