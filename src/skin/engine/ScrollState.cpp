#include "skin/engine/ScrollState.h"

#include <algorithm>

namespace qivyun::skin {

int ScrollState::Set(unsigned mask, const ScrollValues& given) {
    if (mask & scrollPage) values.page = given.page;
    if (mask & scrollPosition) values.position = given.position;
    if (mask & scrollRange) {
        bool valid = given.minimum <= given.maximum &&
                     static_cast<unsigned>(given.maximum) - static_cast<unsigned>(given.minimum) < 0x80000000u;
        values.minimum = valid ? given.minimum : 0;
        values.maximum = valid ? given.maximum : 0;
    }
    const auto span = static_cast<unsigned>(values.maximum) - static_cast<unsigned>(values.minimum) + 1u;
    values.page = std::min(values.page, span);
    const int lastPosition = values.maximum - std::max(static_cast<int>(values.page) - 1, 0);
    values.position = std::max(values.minimum, std::min(values.position, lastPosition));
    values.trackPosition = values.position;
    return values.position;
}

bool ScrollState::Get(unsigned mask, ScrollValues& out) const {
    if (mask & scrollRange) {
        out.minimum = values.minimum;
        out.maximum = values.maximum;
    }
    if (mask & scrollPage) out.page = values.page;
    if (mask & scrollPosition) out.position = values.position;
    if (mask & scrollTrackPosition) out.trackPosition = values.trackPosition;
    return (mask & scrollAll) != 0;
}

}  // namespace qivyun::skin
