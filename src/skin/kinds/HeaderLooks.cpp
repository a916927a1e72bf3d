#include "skin/kinds/HeaderLooks.h"

namespace qivyun::skin {

SkinPart HeaderColumnPart(int displayPosition, int hotColumn, int mouseState, bool enabled) {
    if (!enabled) return SkinPart::HeaderItemDisabled;
    if (displayPosition == hotColumn && mouseState == 1) return SkinPart::HeaderItemOver;
    if (displayPosition == hotColumn && mouseState == 2) return SkinPart::HeaderItemHeld;
    return SkinPart::HeaderItem;
}

SkinColour HeaderTextColour(SkinPart part) { return SkinColour(Index(part) - 118); }

int ColumnAtPoint(std::span<const SkinRect> columnsInDisplayOrder, int x, int y) {
    for (size_t position = 0; position < columnsInDisplayOrder.size(); ++position) {
        if (columnsInDisplayOrder[position].Contains(x, y)) return int(position);
    }
    return -1;
}

}  // namespace qivyun::skin
