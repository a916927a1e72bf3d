#include "skin/kinds/ScrollBarLayout.h"

#include <algorithm>
#include <cstdlib>

namespace qivyun::skin {

int ScaleRounded(int64_t a, int64_t b, int64_t c) {
    if (c == 0) return 0;
    int64_t product = a * b;
    if (c < 0) {
        product = -product;
        c = -c;
    }
    const int64_t rounded = product >= 0 ? (product + c / 2) / c : (product - c / 2) / c;
    return static_cast<int>(std::clamp<int64_t>(rounded, INT32_MIN, INT32_MAX));
}

int LastScrollPosition(const ScrollValues& range) {
    const int64_t last = int64_t{range.maximum} - std::max<int64_t>(int64_t{range.page} - 1, 0);
    return static_cast<int>(std::max<int64_t>(last, range.minimum));
}

namespace {

// The thumb's offset into the track and its length, before it is cut to the track.
BarSpan PlaceThumb(const BarLayoutRequest& request, int trackLength, bool disabled) {
    const ScrollValues& r = request.range;
    const int64_t range = int64_t{r.maximum} - r.minimum;
    const int minimum = request.sizes.minimumThumb;
    // Every bar whose range is empty is disabled, and a disabled bar has no thumb.
    if (disabled) return {};
    const int64_t along = int64_t{r.position} - r.minimum;
    BarSpan thumb;
    if (r.page > 0) {
        thumb.length = range < r.page ? trackLength : ScaleRounded(int64_t{r.page} - 1, trackLength, range);
        thumb.start = ScaleRounded(along, trackLength, range);
        if (thumb.length < minimum) {
            thumb.start = std::max(0, thumb.start + thumb.length - minimum);
            thumb.length = minimum;
        }
        thumb.start = std::min(thumb.start, trackLength - thumb.length);
    } else {
        thumb.length = minimum;
        thumb.start = std::min(ScaleRounded(along, trackLength - minimum, range), trackLength - minimum);
    }
    thumb.start = std::max(0, thumb.start);
    return thumb;
}

}  // namespace

BarLayout LayOutBar(const BarLayoutRequest& request) {
    BarLayout layout;
    layout.length = std::max(0, request.length);
    layout.thickness = request.sizes.thickness;
    layout.disabledArrows = request.disabledArrows;
    const ScrollValues& r = request.range;
    const int64_t range = int64_t{r.maximum} - r.minimum;
    // Disabled: the whole range fits in a page, a range of two positions at most without a page,
    // or both arrows disabled by the program.
    layout.disabled = range < int64_t{r.page} || (range <= 1 && r.page == 0) ||
                      (request.disabledArrows & (FirstArrowDisabled | SecondArrowDisabled)) ==
                          (FirstArrowDisabled | SecondArrowDisabled);

    // A bar shorter than its two arrows shares its length between them.
    const int arrow = std::clamp(request.sizes.arrowLength, 0, layout.length / 2);
    layout.firstArrow = {0, arrow};
    layout.secondArrow = {layout.length - arrow, arrow};
    layout.track = {arrow, layout.length - 2 * arrow};

    BarSpan thumb = PlaceThumb(request, layout.track.length, layout.disabled);
    if (thumb.length > layout.track.length) thumb = {0, layout.track.length};
    // A thumb as long as the track says nothing: it is not drawn.
    if (thumb.length == layout.track.length) thumb = {};
    if (thumb.length > 0) layout.thumb = {layout.track.start + thumb.start, thumb.length};
    if (layout.HasThumb() && request.draggedThumbStart &&
        std::abs(layout.thumb.start - *request.draggedThumbStart) < request.sizes.minimumThumb) {
        layout.thumb.start = *request.draggedThumbStart;
    }
    return layout;
}

BarPart BarLayout::PartAt(int along, int across) const {
    if (disabled || across < 0 || across >= thickness || along < 0 || along >= length) return BarPart::None;
    if (HasThumb() && thumb.Contains(along)) return BarPart::Thumb;
    if (firstArrow.Contains(along)) return disabledArrows & FirstArrowDisabled ? BarPart::None : BarPart::FirstArrow;
    if (track.Contains(along)) return BarPart::Track;
    if (secondArrow.Contains(along)) return disabledArrows & SecondArrowDisabled ? BarPart::None : BarPart::SecondArrow;
    return BarPart::None;
}

std::optional<int> BarLayout::PressCode(BarPart part, int along) const {
    switch (part) {
        case BarPart::FirstArrow:
            return 0;
        case BarPart::SecondArrow:
            return 1;
        case BarPart::Track: {
            const int divide = HasThumb() ? thumb.start : track.start + track.length / 2;
            return along < divide ? 2 : 3;
        }
        default:
            return std::nullopt;
    }
}

}  // namespace qivyun::skin
