#include "skin/kinds/TabLooks.h"

#include <algorithm>

namespace qivyun::skin {

SkinPart TabPart(TabState state, TabPlacement placement) {
    using enum SkinPart;
    if (placement == TabPlacement::Buttons) {
        if (!state.enabled) return PushButtonDisabled;
        if (state.selected) return PushButtonHeld;
        return state.hot ? PushButtonOver : PushButtonNormal;
    }
    const bool below = placement == TabPlacement::Below;
    if (!state.enabled) return below ? TabItemBottomDisabled : TabItemDisabled;
    if (state.selected) return below ? TabItemBottomSelected : TabItemSelected;
    if (state.hot) return below ? TabItemBottomOver : TabItemOver;
    return below ? TabItemBottom : TabItem;
}

SkinColour TabTextColour(TabState state, TabPlacement placement) {
    if (placement == TabPlacement::Buttons)
        return state.enabled ? SkinColour::PushButtonText : SkinColour::PushButtonTextDisabled;
    if (!state.enabled) return SkinColour::TabTextDisabled;
    return state.selected ? SkinColour::TabTextSelected : SkinColour::TabText;
}

SkinRect OpenTabRect(SkinRect item, TabPlacement placement) {
    if (placement == TabPlacement::Buttons) return item;
    if (placement == TabPlacement::Below) return SkinRect{item.left - 2, item.top, item.right + 2, item.bottom + 2};
    return SkinRect{item.left - 2, item.top - 2, item.right + 2, item.bottom};
}

SkinRect TabPaneRect(SkinRect client, std::span<const SkinRect> items, TabPlacement placement) {
    if (placement == TabPlacement::Buttons) return {};
    if (placement == TabPlacement::Below) {
        int rowsTop = client.bottom;
        for (const SkinRect& item : items) rowsTop = std::min(rowsTop, item.top);
        return SkinRect{client.left, client.top, client.right, rowsTop + 1};
    }
    int rowsBottom = client.top;
    for (const SkinRect& item : items) rowsBottom = std::max(rowsBottom, item.bottom);
    return SkinRect{client.left, rowsBottom - 1, client.right, client.bottom};
}

}  // namespace qivyun::skin
