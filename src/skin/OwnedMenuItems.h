#pragma once
// Menu items that the engine draws itself: made owner-drawn, with the item data and bitmap they
// had before kept until the next skin load gives them back.
#include "skin/SkinData.h"

#include <windows.h>

#include <memory>
#include <vector>

namespace qivyun::skin {

class OwnedMenuItems {
public:
    // Makes the item at position owner-drawn for the engine; false when the menu has no such item.
    bool Own(HMENU menu, UINT position);
    // Every item gets its former type, data and bitmap back; the engine owns none afterwards.
    void ReturnAll();
    size_t Count() const { return items_.size(); }

    // The engine's measuring and drawing of an item it owns; false for any other item.
    bool Measure(MEASUREITEMSTRUCT& item, const SkinData& skin) const;
    bool Draw(const DRAWITEMSTRUCT& item, const SkinData& skin) const;

private:
    struct Item {
        HMENU menu;
        UINT position;
        UINT type;
        ULONG_PTR itemData;
        HBITMAP bitmap;
    };
    // The item whose data the engine set, that is the address of its record.
    const Item* Find(ULONG_PTR itemData) const;

    std::vector<std::unique_ptr<Item>> items_;
};

}  // namespace qivyun::skin
