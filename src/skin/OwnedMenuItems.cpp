#include "skin/OwnedMenuItems.h"

#include "skin/DrawPart.h"
#include "skin/Unpatched.h"

#include <string>

namespace qivyun::skin {
namespace {

constexpr int TextMargin = 10;
constexpr int SubmenuMargin = 20;

MENUITEMINFOA ItemInfo(UINT mask) {
    MENUITEMINFOA info{};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    return info;
}

std::string ItemText(HMENU menu, UINT position) {
    char text[256] = {};
    GetMenuStringA(menu, position, text, sizeof(text), MF_BYPOSITION);
    return text;
}

HFONT MenuFont(const SkinData& skin) {
    HFONT font = skin.Font(SkinFontSlot::MenuFont, false);
    return font ? font : skin.DefaultFont(false);
}

}  // namespace

bool OwnedMenuItems::Own(HMENU menu, UINT position) {
    MENUITEMINFOA info = ItemInfo(MIIM_FTYPE | MIIM_DATA | MIIM_BITMAP);
    if (!GetMenuItemInfoA(menu, position, TRUE, &info)) return false;
    auto item = std::make_unique<Item>(Item{menu, position, info.fType, info.dwItemData, info.hbmpItem});
    MENUITEMINFOA owned = ItemInfo(MIIM_FTYPE | MIIM_DATA | MIIM_BITMAP);
    owned.fType = info.fType | MFT_OWNERDRAW;
    owned.dwItemData = reinterpret_cast<ULONG_PTR>(item.get());
    owned.hbmpItem = nullptr;
    if (!SetMenuItemInfoA(menu, position, TRUE, &owned)) return false;
    items_.push_back(std::move(item));
    return true;
}

void OwnedMenuItems::ReturnAll() {
    for (const auto& item : items_) {
        MENUITEMINFOA info = ItemInfo(MIIM_FTYPE | MIIM_DATA | MIIM_BITMAP);
        info.fType = item->type;
        info.dwItemData = item->itemData;
        info.hbmpItem = item->bitmap;
        SetMenuItemInfoA(item->menu, item->position, TRUE, &info);
    }
    items_.clear();
}

const OwnedMenuItems::Item* OwnedMenuItems::Find(ULONG_PTR itemData) const {
    for (const auto& item : items_) {
        if (reinterpret_cast<ULONG_PTR>(item.get()) == itemData) return item.get();
    }
    return nullptr;
}

bool OwnedMenuItems::Measure(MEASUREITEMSTRUCT& measured, const SkinData& skin) const {
    const Item* item = Find(measured.itemData);
    if (!item) return false;
    if (item->type & MFT_SEPARATOR) {
        measured.itemWidth = 0;
        measured.itemHeight = static_cast<UINT>(skin.Metric(SkinMetric::MenuSeparatorHeight));
        return true;
    }
    std::string text = ItemText(item->menu, item->position);
    HDC screen = unpatched::GetDC(nullptr);
    HGDIOBJ previous = SelectObject(screen, MenuFont(skin));
    SIZE extent{};
    GetTextExtentPoint32A(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(screen, previous);
    unpatched::ReleaseDC(nullptr, screen);
    bool opensSubmenu = GetSubMenu(item->menu, static_cast<int>(item->position)) != nullptr;
    measured.itemWidth = static_cast<UINT>(extent.cx + (opensSubmenu ? SubmenuMargin : TextMargin));
    measured.itemHeight = static_cast<UINT>(skin.Metric(SkinMetric::MenuItemHeight));
    return true;
}

// The item composed off screen: background, highlight or separator, check mark, text, and the
// arrow of a submenu; then copied once.
bool OwnedMenuItems::Draw(const DRAWITEMSTRUCT& drawn, const SkinData& skin) const {
    const Item* item = Find(drawn.itemData);
    if (!item) return false;
    const RECT& at = drawn.rcItem;
    const int width = at.right - at.left, height = at.bottom - at.top;
    UniqueGdiObject<HBITMAP> bitmap(CreateCompatibleBitmap(drawn.hDC, width, height));
    if (!bitmap) return true;
    MemoryDc buffer(drawn.hDC, bitmap.Get());
    HDC dc = buffer.Get();
    RECT whole{0, 0, width, height};
    FillRect(dc, &whole, skin.BackgroundBrush());
    if (item->type & MFT_SEPARATOR) {
        DrawPart(dc, whole, skin.Part(SkinPart::MenuSeparator), skin);
    } else {
        const bool selected = drawn.itemState & ODS_SELECTED;
        const bool disabled = drawn.itemState & (ODS_GRAYED | ODS_DISABLED);
        if (selected && !disabled) DrawPart(dc, whole, skin.Part(SkinPart::MenuItemHighlight), skin);
        const int indent = skin.Metric(SkinMetric::MenuTextIndent);
        const ImagePart& check = skin.Part(SkinPart::MenuCheck);
        if ((drawn.itemState & ODS_CHECKED) && check.width > 0) {
            int top = (height - check.height) / 2, left = (indent - check.width) / 2;
            RECT mark{left, top, left + check.width, top + check.height};
            DrawPart(dc, mark, check, skin);
        }
        const ImagePart& arrow = skin.Part(SkinPart::MenuSubmenuArrow);
        if (GetSubMenu(item->menu, static_cast<int>(item->position)) && arrow.width > 0) {
            int top = (height - arrow.height) / 2;
            RECT mark{width - arrow.width - 4, top, width - 4, top + arrow.height};
            DrawPart(dc, mark, arrow, skin);
        }
        SkinColour colour = disabled ? SkinColour::MenuTextDisabled
                            : selected ? SkinColour::MenuTextHighlighted
                                       : SkinColour::MenuText;
        std::string text = ItemText(item->menu, item->position);
        RECT textArea{indent, 0, width - SubmenuMargin, height};
        HGDIOBJ previous = SelectObject(dc, MenuFont(skin));
        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, skin.Colour(colour));
        DrawTextA(dc, text.c_str(), static_cast<int>(text.size()), &textArea, DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS);
        SelectObject(dc, previous);
    }
    BitBlt(drawn.hDC, at.left, at.top, width, height, dc, 0, 0, SRCCOPY);
    return true;
}

}  // namespace qivyun::skin
