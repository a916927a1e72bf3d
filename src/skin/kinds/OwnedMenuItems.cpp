#include "skin/kinds/OwnedMenuItems.h"

#include "framework/DeviceContext.h"
#include "framework/OffscreenSurface.h"
#include "skin/container/DrawPart.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/kinds/MenuItemLayout.h"
#include "skin/patching/Unpatched.h"

#include <algorithm>

namespace qivyun::skin {
namespace {

// Texts as the menu shows them: the ampersand marks the next letter, a tab ends the label.
constexpr UINT TextFormat = DT_SINGLELINE | DT_VCENTER | DT_EXPANDTABS;

MENUITEMINFOW ItemInfo(UINT mask) {
    MENUITEMINFOW info{};
    info.cbSize = sizeof(info);
    info.fMask = mask;
    return info;
}

// Where the menu window's background lies, in the coordinates of an item's DC: across the window
// that shows the menu when the DC is known to be one of it, else far enough around the item that
// only the background's face falls on it.
RECT MenuFace(HDC dc, const RECT& item, const ImagePart& background) {
    if (HWND window = WindowFromDC(dc)) return WindowInClient(window);
    return RECT{item.left - background.left - 1, item.top - background.top - 1, item.right + background.right + 1,
                item.bottom + background.bottom + 1};
}

}  // namespace

std::wstring MenuItemText(HMENU menu, UINT position) {
    const int length = GetMenuStringW(menu, position, nullptr, 0, MF_BYPOSITION);
    if (length <= 0) return {};
    std::wstring text(size_t(length) + 1, L'\0');
    text.resize(size_t(std::max(0, GetMenuStringW(menu, position, text.data(), length + 1, MF_BYPOSITION))));
    return text;
}

HFONT MenuFontOf(const SkinData& skin) {
    HFONT font = skin.Font(SkinFontSlot::MenuFont, false);
    return font ? font : skin.DefaultFont(false);
}

int MenuTextWidth(const std::wstring& text, const SkinData& skin) {
    if (text.empty()) return 0;
    ClientDc screen(nullptr, unpatched::DcCalls());
    SelectedObject font(screen.Get(), MenuFontOf(skin));
    RECT extent{0, 0, 0, 0};
    DrawTextW(screen.Get(), text.c_str(), static_cast<int>(text.size()), &extent, TextFormat | DT_CALCRECT);
    return extent.right - extent.left;
}

bool OwnedMenuItems::Own(HMENU menu, UINT position) {
    MENUITEMINFOW info = ItemInfo(MIIM_FTYPE | MIIM_DATA | MIIM_BITMAP);
    if (!GetMenuItemInfoW(menu, position, TRUE, &info)) return false;
    auto item = std::make_unique<Item>(Item{menu, position, info.fType, info.dwItemData, info.hbmpItem,
                                            MenuItemText(menu, position)});
    MENUITEMINFOW owned = ItemInfo(MIIM_FTYPE | MIIM_DATA | MIIM_BITMAP);
    owned.fType = info.fType | MFT_OWNERDRAW;
    owned.dwItemData = reinterpret_cast<ULONG_PTR>(item.get());
    owned.hbmpItem = nullptr;
    if (!SetMenuItemInfoW(menu, position, TRUE, &owned)) return false;
    items_.push_back(std::move(item));
    return true;
}

void OwnedMenuItems::GiveBack(const Item& item) {
    MENUITEMINFOW info = ItemInfo(MIIM_FTYPE | MIIM_DATA | MIIM_BITMAP);
    info.fType = item.type;
    info.dwItemData = item.itemData;
    info.hbmpItem = item.bitmap;
    SetMenuItemInfoW(item.menu, item.position, TRUE, &info);
}

void OwnedMenuItems::Return(HMENU menu) {
    std::erase_if(items_, [menu](const std::unique_ptr<Item>& item) {
        if (item->menu != menu) return false;
        GiveBack(*item);
        return true;
    });
}

void OwnedMenuItems::ReturnAll() {
    // A menu that the program has destroyed meanwhile is passed over.
    for (const auto& item : items_) {
        if (IsMenu(item->menu)) GiveBack(*item);
    }
    items_.clear();
}

OwnedMenuItems::Item* OwnedMenuItems::Find(ULONG_PTR itemData) const {
    for (const auto& item : items_) {
        if (reinterpret_cast<ULONG_PTR>(item.get()) == itemData) return item.get();
    }
    return nullptr;
}

int OwnedMenuItems::WidestMeasured(HMENU menu) const {
    int widest = 0;
    for (const auto& item : items_) {
        if (item->menu == menu) widest = std::max(widest, item->measuredWidth);
    }
    return widest;
}

bool OwnedMenuItems::Measure(MEASUREITEMSTRUCT& measured, const SkinData& skin) {
    Item* item = Find(measured.itemData);
    if (!item) return false;
    const bool separator = item->type & MFT_SEPARATOR;
    const bool submenu = GetSubMenu(item->menu, static_cast<int>(item->position)) != nullptr;
    const MenuItemSize size =
        MeasureMenuItem(skin.Tables(), separator ? 0 : MenuTextWidth(item->text, skin), submenu, separator);
    item->measuredWidth = size.width;
    measured.itemWidth = static_cast<UINT>(size.width);
    measured.itemHeight = static_cast<UINT>(size.height);
    return true;
}

// The item composed off screen: the menu's background, the highlight or the separator, the check
// mark, the text and the arrow of a submenu; then copied once. Text in the skin's menu colour is
// drawn black and recoloured on its way through ExtTextOut, as the system's own menu drawing would be.
bool OwnedMenuItems::Draw(const DRAWITEMSTRUCT& drawn, const SkinData& skin) const {
    const Item* item = Find(drawn.itemData);
    if (!item) return false;
    const RECT& at = drawn.rcItem;
    const int width = at.right - at.left, height = at.bottom - at.top;
    if (width <= 0 || height <= 0) return true;
    OffscreenSurface buffer(drawn.hDC, width, height);
    if (!buffer) return true;
    HDC dc = buffer.Dc();

    const ImagePart& background = skin.Part(SkinPart::MenuBackground);
    RECT face = MenuFace(drawn.hDC, at, background);
    OffsetRect(&face, -at.left, -at.top);
    DrawPart(dc, face, background, skin);

    const bool submenu = GetSubMenu(item->menu, static_cast<int>(item->position)) != nullptr;
    const MenuItemPlaces places =
        PlaceMenuItem(skin.Tables(), GridRect{0, 0, width, height}, WidestMeasured(item->menu), submenu);
    if (item->type & MFT_SEPARATOR) {
        DrawPart(dc, ToRect(places.separator), skin.Part(SkinPart::MenuSeparator), skin);
    } else {
        const bool selected = drawn.itemState & ODS_SELECTED;
        const bool disabled = drawn.itemState & (ODS_GRAYED | ODS_DISABLED);
        const RECT whole{0, 0, width, height};
        if (selected && !disabled) DrawPart(dc, whole, skin.Part(SkinPart::MenuItemHighlight), skin);
        if (drawn.itemState & ODS_CHECKED) DrawPart(dc, ToRect(places.check), skin.Part(SkinPart::MenuCheck), skin);
        if (submenu) DrawPart(dc, ToRect(places.arrow), skin.Part(SkinPart::MenuSubmenuArrow), skin);

        SelectedObject font(dc, MenuFontOf(skin));
        SetBkMode(dc, TRANSPARENT);
        const bool plain = !disabled && !selected;
        if (plain) {
            SetTextColor(dc, RGB(0, 0, 0));
            engine_.RecolourBlackText(dc, skin.Colour(SkinColour::MenuText));
        } else {
            SetTextColor(dc, skin.Colour(disabled ? SkinColour::MenuTextDisabled : SkinColour::MenuTextHighlighted));
        }
        RECT text = ToRect(places.text);
        const UINT prefix = (drawn.itemState & ODS_NOACCEL) ? DT_HIDEPREFIX : 0;
        DrawTextW(dc, item->text.c_str(), static_cast<int>(item->text.size()), &text, TextFormat | prefix);
        if (plain) engine_.RecolourBlackText(nullptr, 0);
    }
    buffer.CopyTo(drawn.hDC, at.left, at.top);
    return true;
}

}  // namespace qivyun::skin
