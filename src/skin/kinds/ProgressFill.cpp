#include "skin/kinds/ProgressFill.h"

#include <algorithm>
#include <cstdint>

namespace qivyun::skin {

int ProgressFillLength(int position, int low, int high, int length) {
    if (high <= low || length <= 0) return 0;
    // 64 bits, so that ranges past 21 million (where position x 100 leaves 32 bits) still fill right.
    const int64_t clamped = std::clamp<int64_t>(position, low, high);
    const int64_t percent = (clamped - low) * 100 / (int64_t(high) - low);
    return int(percent * length / 100);
}

SkinRect ProgressBarRect(int width, int height, int filled, const TroughMargins& margins, bool vertical) {
    if (filled <= 0) return {};
    if (vertical) return {margins.left, height - filled + margins.top, width - margins.right, height - margins.bottom};
    return {margins.left, margins.top, filled - margins.right, height - margins.bottom};
}

}  // namespace qivyun::skin
