#pragma once
// Menu items that the engine draws itself: made owner-drawn while a skinned menu window shows
// them, with the type, item data and bitmap they had before kept until the window goes or the
// next skin load gives them back. The items are measured and drawn by the menus' rule
// (MenuItemLayout) in the skin's menu parts.
#include "skin/container/SkinData.h"
#include "skin/engine/SkinnerServices.h"

#include <windows.h>

#include <memory>
#include <string>
#include <vector>

namespace qivyun::skin {

// An item's whole text as the menu holds it, UTF-16.
std::wstring MenuItemText(HMENU menu, UINT position);
// The font of menu items: the skin's, else the system's menu font.
HFONT MenuFontOf(const SkinData& skin);
// The width of an item's text in that font, its ampersands taken as the menu takes them.
int MenuTextWidth(const std::wstring& text, const SkinData& skin);

class OwnedMenuItems {
public:
    // The engine recolours the black text of the items it draws.
    explicit OwnedMenuItems(SkinnerServices& engine) : engine_(engine) {}

    // Makes the item at position owner-drawn for the engine; false when the menu has no such item.
    bool Own(HMENU menu, UINT position);
    // The items of one menu, or every item, get their former type, data and bitmap back.
    void Return(HMENU menu);
    void ReturnAll();
    size_t Count() const { return items_.size(); }

    // The engine's measuring and drawing of an item it owns; false for any other item.
    bool Measure(MEASUREITEMSTRUCT& item, const SkinData& skin);
    bool Draw(const DRAWITEMSTRUCT& item, const SkinData& skin) const;

private:
    struct Item {
        HMENU menu;
        UINT position;
        UINT type;
        ULONG_PTR itemData;
        HBITMAP bitmap;
        std::wstring text;
        int measuredWidth = 0;
    };
    // The item whose data the engine set, that is the address of its record.
    Item* Find(ULONG_PTR itemData) const;
    // The widest measured item of a menu: what the system gives beyond it indents the texts.
    int WidestMeasured(HMENU menu) const;
    static void GiveBack(const Item& item);

    SkinnerServices& engine_;
    std::vector<std::unique_ptr<Item>> items_;
};

}  // namespace qivyun::skin
