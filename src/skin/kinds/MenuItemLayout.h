#pragma once
// The items of a skinned pop-up menu: how large the engine measures each one, and where the check
// mark, the text, the submenu arrow and a separator go inside the rectangle the system gives it.
#include "skin/container/NineGrid.h"
#include "skin/container/SkinFormat.h"

namespace qivyun::skin {

struct MenuItemSize {
    int width = 0, height = 0;
    friend bool operator==(const MenuItemSize&, const MenuItemSize&) = default;
};

// The measuring rule: the text's width plus 10 pixels, plus 20 instead when the item opens a
// submenu; the skin's separator height for a separator, its item height for any other item.
MenuItemSize MeasureMenuItem(const SkinTables& tables, int textWidth, bool submenu, bool separator);

struct MenuItemPlaces {
    GridRect check;      // the check mark's part at its size, centred in the space left of the text
    GridRect text;       // from the text indent to the arrow's space (or the item's right end)
    GridRect arrow;      // the submenu arrow's part at its size, at the right end
    GridRect separator;  // the separator's part across the item, at its height, centred
};

// The places inside an item's rectangle. What the system gives beyond the widest measured width
// of the menu's items becomes the text's indent, up to the skin's indent, so that every text of a
// menu starts at the same place and the widest keeps the measuring rule's gap at its right.
MenuItemPlaces PlaceMenuItem(const SkinTables& tables, const GridRect& item, int widestMeasuredWidth, bool submenu);

}  // namespace qivyun::skin
