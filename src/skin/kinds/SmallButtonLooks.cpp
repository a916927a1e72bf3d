#include "skin/kinds/SmallButtonLooks.h"

namespace qivyun::skin {

SkinPart SmallButtonFace(bool enabled, bool held, bool over) {
    if (!enabled) return SkinPart::SmallButtonDisabled;
    if (held) return SkinPart::SmallButtonHeld;
    return over ? SkinPart::SmallButtonOver : SkinPart::SmallButtonNormal;
}

SkinPart ArrowGlyph(ArrowDirection direction, bool enabled) {
    switch (direction) {
    case ArrowDirection::Up:
        return enabled ? SkinPart::GlyphUp : SkinPart::GlyphUpDisabled;
    case ArrowDirection::Down:
        return enabled ? SkinPart::GlyphDown : SkinPart::GlyphDownDisabled;
    case ArrowDirection::Left:
        return enabled ? SkinPart::GlyphLeft : SkinPart::GlyphLeftDisabled;
    case ArrowDirection::Right:
        break;
    }
    return enabled ? SkinPart::GlyphRight : SkinPart::GlyphRightDisabled;
}

SkinRect CentredIn(const SkinRect& area, int width, int height, int shift) {
    const int left = area.left + (area.Width() - width) / 2 + shift;
    const int top = area.top + (area.Height() - height) / 2 + shift;
    return {left, top, left + width, top + height};
}

UpDownButtons SplitUpDown(int width, int height, bool horizontal) {
    if (horizontal) {
        const int middle = width / 2;
        return {{0, 0, middle, height}, {middle, 0, width, height}, ArrowDirection::Left, ArrowDirection::Right};
    }
    const int middle = height / 2;
    return {{0, 0, width, middle}, {0, middle, width, height}, ArrowDirection::Up, ArrowDirection::Down};
}

int UpDownButtonAt(const UpDownButtons& buttons, int x, int y) {
    if (buttons.first.Contains(x, y)) return 1;
    return buttons.second.Contains(x, y) ? 2 : 0;
}

}  // namespace qivyun::skin
