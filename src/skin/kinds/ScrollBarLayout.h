#pragma once
// One scroll bar that a skinner draws itself, laid out along its length: the first arrow, the
// track, the thumb inside the track and the second arrow. A horizontal bar is laid out the same
// way with its coordinates transposed, so "along" is y for a vertical bar and x for a horizontal
// one, "across" the other coordinate, both relative to the bar's own top-left corner.
#include "skin/engine/ScrollState.h"

#include <cstdint>
#include <optional>

namespace qivyun::skin {

// The skin's sizes for one orientation, in pixels.
struct BarSizes {
    int thickness = 0;
    int arrowLength = 0;
    int minimumThumb = 0;
};

// The arrows a program disabled with EnableScrollBar (the system's ESB_ bits).
inline constexpr unsigned FirstArrowDisabled = 0x1;
inline constexpr unsigned SecondArrowDisabled = 0x2;

// A stretch along the bar: [start, start + length).
struct BarSpan {
    int start = 0;
    int length = 0;
    int End() const { return start + length; }
    bool Contains(int along) const { return along >= start && along < End(); }
    friend bool operator==(const BarSpan&, const BarSpan&) = default;
};

// The parts of a bar, numbered as the skinner's hot part is.
enum class BarPart { None = 0, FirstArrow = 1, SecondArrow = 2, Track = 3, Thumb = 4 };

struct BarLayoutRequest {
    int length = 0;  // the bar's length along
    BarSizes sizes;
    ScrollValues range;
    unsigned disabledArrows = 0;
    // Where a thumb being dragged stands; it stays there while the place its position gives lies
    // less than a minimum thumb away.
    std::optional<int> draggedThumbStart;
};

struct BarLayout {
    int length = 0;
    int thickness = 0;
    bool disabled = false;
    unsigned disabledArrows = 0;
    BarSpan firstArrow, track, secondArrow;
    BarSpan thumb;  // length 0: no thumb

    bool HasThumb() const { return thumb.length > 0; }
    // The part at a point of the bar, the thumb first; nothing outside the bar, on a disabled bar
    // or on a disabled arrow.
    BarPart PartAt(int along, int across) const;
    // The scroll code a press on a part sends: 0 line up, 1 line down, 2 page up, 3 page down
    // (the track before or after the thumb); nothing for the thumb or no part.
    std::optional<int> PressCode(BarPart part, int along) const;
    friend bool operator==(const BarLayout&, const BarLayout&) = default;
};

BarLayout LayOutBar(const BarLayoutRequest& request);

// The system's MulDiv over 64-bit operands: a * b / c rounded half away from zero, held to the
// int range; 0 for a divisor of 0.
int ScaleRounded(int64_t a, int64_t b, int64_t c);

// The last position a bar can scroll to: its maximum less a page but one.
int LastScrollPosition(const ScrollValues& range);

}  // namespace qivyun::skin
