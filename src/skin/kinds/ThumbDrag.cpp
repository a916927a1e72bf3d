#include "skin/kinds/ThumbDrag.h"

#include <algorithm>

namespace qivyun::skin {

ThumbDrag::ThumbDrag(const BarLayout& layout, int along, int position)
    : grabOffset_(along - layout.thumb.start), thumbStart_(layout.thumb.start), lastPosition_(position) {}

ThumbDrag::Step ThumbDrag::Move(const BarLayout& layout, const ScrollValues& range, int along, int across) {
    Step step;
    step.position = lastPosition_;
    const bool betweenArrows = along >= layout.firstArrow.End() && along < layout.secondArrow.start;
    const bool nearTrack = across >= -DragReach && across < layout.thickness + DragReach;
    if (!betweenArrows || !nearTrack || !layout.HasThumb()) return step;
    step.followed = true;

    const BarSpan& track = layout.track;
    const int travel = track.length - layout.thumb.length;
    thumbStart_ = std::clamp(along - grabOffset_, track.start, track.start + std::max(travel, 0));
    // The thumb's travel covers the positions from the minimum to the last whole page.
    const int64_t positions = int64_t{LastScrollPosition(range)} - range.minimum;
    const int position =
        positions > 0 && travel > 0 ? range.minimum + ScaleRounded(thumbStart_ - track.start, positions, travel)
                                    : range.minimum;
    step.position = std::clamp(position, range.minimum, LastScrollPosition(range));
    step.positionChanged = step.position != lastPosition_;
    lastPosition_ = step.position;
    return step;
}

}  // namespace qivyun::skin
