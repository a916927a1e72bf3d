#pragma once
// The arithmetic of dragging a scroll bar's thumb: where the thumb goes as the pointer moves, the
// position it stands for, and whether that position is news for the control.
#include "skin/kinds/ScrollBarLayout.h"

namespace qivyun::skin {

// How far across the bar the pointer may stray before the thumb stops following it.
inline constexpr int DragReach = 96;

class ThumbDrag {
public:
    // The thumb of a laid-out bar, grabbed at `along` while the bar shows `position`.
    ThumbDrag(const BarLayout& layout, int along, int position);

    struct Step {
        bool followed = false;        // the pointer was where it moves the thumb
        bool positionChanged = false;  // the position differs from the last one reported
        int position = 0;             // the last position reported or now to report
    };
    // The pointer moved to (along, across) on the bar. The thumb follows only while the pointer
    // lies between the arrows and within DragReach of the track; the point grabbed stays under
    // the pointer, the thumb inside the track.
    Step Move(const BarLayout& layout, const ScrollValues& range, int along, int across);

    // Where the thumb stands along the bar.
    int ThumbStart() const { return thumbStart_; }
    int LastPosition() const { return lastPosition_; }

private:
    int grabOffset_;
    int thumbStart_;
    int lastPosition_;
};

}  // namespace qivyun::skin
