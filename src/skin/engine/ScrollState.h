#pragma once
// The scroll information of a bar that a skinner draws itself. The redirected scroll functions
// read and write it with the system's rules, so the control sees what the system would answer.
#include <cstdint>

namespace qivyun::skin {

// The fields of a scroll-information request (the system's SIF_ values).
enum ScrollField : unsigned {
    scrollRange = 0x1,
    scrollPage = 0x2,
    scrollPosition = 0x4,
    scrollDisableNoScroll = 0x8,
    scrollTrackPosition = 0x10,
    scrollAll = scrollRange | scrollPage | scrollPosition | scrollTrackPosition,
};

struct ScrollValues {
    int minimum = 0;
    int maximum = 0;
    unsigned page = 0;
    int position = 0;
    int trackPosition = 0;
};

struct ScrollState {
    ScrollValues values;
    // Arrows disabled through EnableScrollBar (the system's ESB_ bits: 1 first, 2 second).
    unsigned disabledArrows = 0;

    // Takes the fields of the mask: an inverted or too wide range becomes 0 to 0, the page is cut
    // to the range, the position is kept between the minimum and the last page, and the tracked
    // position is the position again (a thumb drag sets it on its own). Returns the position.
    int Set(unsigned mask, const ScrollValues& given);
    // Copies the fields of the mask; false when the mask names none.
    bool Get(unsigned mask, ScrollValues& out) const;
};

}  // namespace qivyun::skin
