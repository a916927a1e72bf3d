#include "skin/kinds/DatePickerLooks.h"

namespace qivyun::skin {

SkinRect DateDropButtonRect(int clientWidth, int clientHeight, int width) {
    return SkinRect{clientWidth - width, 0, clientWidth, clientHeight};
}

SkinPart DateDropButtonPart(bool enabled, bool held, bool hot) {
    if (!enabled) return SkinPart::DateDropButtonDisabled;
    if (held) return SkinPart::DateDropButtonHeld;
    return hot ? SkinPart::DateDropButtonOver : SkinPart::DateDropButton;
}

SkinPart DateDropGlyphPart(bool enabled) { return enabled ? SkinPart::DateDropGlyph : SkinPart::DateDropGlyphDisabled; }

SkinRect CentredIn(SkinRect box, int width, int height) {
    const int left = box.left + (box.Width() - width) / 2, top = box.top + (box.Height() - height) / 2;
    return SkinRect{left, top, left + width, top + height};
}

}  // namespace qivyun::skin
