#include "skin/kinds/TrackbarLooks.h"

#include <algorithm>

namespace qivyun::skin {
namespace {

constexpr int TickLength = 3;
constexpr int TickGap = 2;  // between the thumb and its ticks

}  // namespace

SkinPart TrackbarChannelPart(bool vertical, bool enabled) {
    if (vertical) return enabled ? SkinPart::TrackbarChannelVertical : SkinPart::TrackbarChannelVerticalDisabled;
    return enabled ? SkinPart::TrackbarChannel : SkinPart::TrackbarChannelDisabled;
}

SkinPart TrackbarThumbPart(bool vertical, bool enabled, bool held, bool over) {
    if (vertical) {
        if (!enabled) return SkinPart::TrackbarThumbVerticalDisabled;
        if (held) return SkinPart::TrackbarThumbVerticalHeld;
        return over ? SkinPart::TrackbarThumbVerticalOver : SkinPart::TrackbarThumbVertical;
    }
    if (!enabled) return SkinPart::TrackbarThumbDisabled;
    if (held) return SkinPart::TrackbarThumbHeld;
    return over ? SkinPart::TrackbarThumbOver : SkinPart::TrackbarThumb;
}

SkinRect TrackbarChannelRect(const SkinRect& systemChannel, bool vertical, int thickness) {
    if (vertical) {
        const int left = systemChannel.left + (systemChannel.Width() - thickness) / 2;
        return {left, systemChannel.top, left + thickness, systemChannel.bottom};
    }
    const int top = systemChannel.top + (systemChannel.Height() - thickness) / 2;
    return {systemChannel.left, top, systemChannel.right, top + thickness};
}

std::vector<SkinRect> TrackbarTicks(const TickRequest& r) {
    std::vector<SkinRect> ticks;
    if (!r.before && !r.after) return ticks;
    const int start = r.vertical ? r.channel.top : r.channel.left;
    const int length = r.vertical ? r.channel.Height() : r.channel.Width();
    const int thumbHalf = (r.vertical ? r.thumb.Height() : r.thumb.Width()) / 2;
    const int travel = std::max(0, length - 2 * thumbHalf - 1);
    const int range = r.maximum - r.minimum;
    const int acrossStart = r.vertical ? r.thumb.left : r.thumb.top;
    const int acrossEnd = r.vertical ? r.thumb.right : r.thumb.bottom;

    auto add = [&](int value, bool end) {
        if (value < r.minimum || value > r.maximum) return;
        const long long offset = range > 0 ? (long long)travel * (value - r.minimum) / range : 0;
        const int along = start + thumbHalf + static_cast<int>(offset);
        const int size = TickLength + (end ? 1 : 0);
        auto place = [&](int from, int to) {
            ticks.push_back(r.vertical ? SkinRect{from, along, to, along + 1} : SkinRect{along, from, along + 1, to});
        };
        if (r.before) place(acrossStart - TickGap - size, acrossStart - TickGap);
        if (r.after) place(acrossEnd + TickGap, acrossEnd + TickGap + size);
    };
    add(r.minimum, true);
    for (int value : r.values) add(value, false);
    if (range > 0) add(r.maximum, true);
    return ticks;
}

}  // namespace qivyun::skin
