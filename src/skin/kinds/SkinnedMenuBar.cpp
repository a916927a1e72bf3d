#include "skin/kinds/SkinnedMenuBar.h"

#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "skin/container/DrawPart.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/engine/WindowSkinner.h"
#include "skin/kinds/OwnedMenuItems.h"
#include "skin/kinds/SkinnedFrame.h"
#include "skin/patching/Unpatched.h"

namespace qivyun::skin {
namespace {

// Room on each side of an item's text, and of a picture item.
constexpr int TextPadding = 7;
constexpr int PicturePadding = 1;
constexpr UINT TextFormat = DT_SINGLELINE | DT_VCENTER | DT_CENTER;

// The bar whose drop-down the menu loop of this thread tracks; one at a time.
thread_local SkinnedMenuBar* tracking = nullptr;

std::wstring LabelOf(std::wstring text) {
    // A tab starts the accelerator's column, which the bar does not show.
    if (const size_t tab = text.find(L'\t'); tab != std::wstring::npos) text.resize(tab);
    return text;
}

bool IsSystemPicture(HBITMAP bitmap) {
    const auto value = reinterpret_cast<INT_PTR>(bitmap);
    return value >= -1 && value <= 11;
}

// The caption button a maximised child's bar picture stands for.
std::optional<std::pair<SkinPart, SkinPart>> ButtonPartsOf(HBITMAP bitmap) {
    if (bitmap == HBMMENU_MBAR_RESTORE) return std::pair{SkinPart::RestoreButtonNormal, SkinPart::RestoreButtonOver};
    if (bitmap == HBMMENU_MBAR_MINIMIZE || bitmap == HBMMENU_MBAR_MINIMIZE_D)
        return std::pair{SkinPart::MinimiseButtonNormal, SkinPart::MinimiseButtonOver};
    if (bitmap == HBMMENU_MBAR_CLOSE || bitmap == HBMMENU_MBAR_CLOSE_D)
        return std::pair{SkinPart::CloseButtonNormal, SkinPart::CloseButtonOver};
    return std::nullopt;
}

}  // namespace

SkinnedMenuBar::SkinnedMenuBar(WindowSkinner& owner, const SkinData& skin, std::function<void()> repaint)
    : owner_(owner), skin_(skin), repaint_(std::move(repaint)) {
    Refresh();
}

SkinnedMenuBar::~SkinnedMenuBar() {
    *alive_ = false;
    if (tracking == this) tracking = nullptr;
}

void SkinnedMenuBar::Refresh() {
    HMENU menu = GetMenu(owner_.window);
    const int count = menu && IsMenu(menu) ? GetMenuItemCount(menu) : 0;
    std::vector<Item> items;
    bool rightEnd = false;
    for (int position = 0; position < count; ++position) {
        MENUITEMINFOW info{};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_ID | MIIM_SUBMENU | MIIM_BITMAP | MIIM_DATA;
        if (!GetMenuItemInfoW(menu, UINT(position), TRUE, &info) || (info.fType & MFT_SEPARATOR)) continue;
        Item item;
        item.text = LabelOf(MenuItemText(menu, UINT(position)));
        item.submenu = info.hSubMenu;
        item.id = info.wID;
        item.enabled = !(info.fState & (MFS_DISABLED | MFS_GRAYED));
        item.bitmap = (info.fType & MFT_BITMAP) || item.text.empty() ? info.hbmpItem : nullptr;
        item.data = info.dwItemData;
        rightEnd = rightEnd || (info.fType & MFT_RIGHTJUSTIFY);
        item.entry.atRightEnd = rightEnd;
        item.mnemonic = MnemonicOf(item.text);
        // A text measured before keeps its width.
        for (const Item& known : items_)
            if (!known.bitmap && known.text == item.text) item.entry.width = known.entry.width;
        items.push_back(std::move(item));
    }
    for (Item& item : items) {
        if (item.bitmap) {
            item.entry.width = PictureWidth(item);
        } else if (item.entry.width == 0 && !item.text.empty()) {
            item.entry.width = MenuTextWidth(item.text, skin_) + 2 * (TextPadding - PicturePadding);
        }
    }
    items_ = std::move(items);
    if (hot_ && *hot_ >= items_.size()) hot_.reset();
}

int SkinnedMenuBar::PictureWidth(const Item& item) const {
    const int row = skin_.Metric(SkinMetric::MenuBarHeight);
    const int side = std::max(0, row - 2 * PicturePadding);
    // A caption button keeps the shape of the title bar's buttons, scaled to the row.
    const int buttonHeight = skin_.Metric(SkinMetric::CaptionButtonHeight);
    if (ButtonPartsOf(item.bitmap) && buttonHeight > 0)
        return MulDiv(side, skin_.Metric(SkinMetric::CaptionButtonWidth), buttonHeight);
    if (IsSystemPicture(item.bitmap)) return side;
    BITMAP picture{};
    if (!GetObjectW(item.bitmap, sizeof(picture), &picture)) return 0;
    return picture.bmWidth;
}

MenuBarLayout SkinnedMenuBar::LayoutOf(int width) const {
    std::vector<MenuBarEntry> entries;
    entries.reserve(items_.size());
    for (const Item& item : items_) entries.push_back(item.entry);
    return LayOutMenuBar(entries, width, skin_.Metric(SkinMetric::MenuBarHeight), PicturePadding);
}

int SkinnedMenuBar::HeightFor(int width) const { return LayoutOf(width).height; }

std::optional<size_t> SkinnedMenuBar::ItemAtScreen(POINT screen) const {
    RECT window;
    GetWindowRect(owner_.window, &window);
    return LayoutOf(bar_.width).ItemAt(screen.x - window.left - bar_.x, screen.y - window.top - bar_.y);
}

RECT SkinnedMenuBar::ItemOnScreen(size_t index) const {
    RECT window;
    GetWindowRect(owner_.window, &window);
    const GridRect r = LayoutOf(bar_.width).items[index];
    const int x = window.left + bar_.x + r.x, y = window.top + bar_.y + r.y;
    return RECT{x, y, x + r.width, y + r.height};
}

bool SkinnedMenuBar::Opens(size_t index) const {
    return index < items_.size() && items_[index].enabled && items_[index].submenu;
}

void SkinnedMenuBar::SetHot(std::optional<size_t> index) {
    if (hot_ == index) return;
    hot_ = index;
    repaint_();
}

// ---- drawing

void SkinnedMenuBar::Draw(HDC dc, const GridRect& bar) {
    bar_ = bar;
    if (bar.width <= 0 || bar.height <= 0) return;
    DrawPart(dc, ToRect(bar), skin_.Part(SkinPart::MenuBarBackground), skin_);
    const bool hideCues = !keyboard_ && (SendMessageW(owner_.window, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL);
    const MenuBarLayout layout = LayoutOf(bar.width);
    SelectedObject font(dc, MenuFontOf(skin_));
    SetBkMode(dc, TRANSPARENT);
    for (size_t i = 0; i < items_.size(); ++i) {
        const GridRect& r = layout.items[i];
        DrawItem(dc, items_[i], i, RECT{bar.x + r.x, bar.y + r.y, bar.x + r.x + r.width, bar.y + r.y + r.height}, hideCues);
    }
}

void SkinnedMenuBar::DrawItem(HDC dc, const Item& item, size_t index, const RECT& rect, bool hideCues) {
    const bool open = open_ == index;
    // A disabled item lights only for the keyboard, which can stand on it.
    const bool hot = !open && hot_ == index && (item.enabled || keyboard_);
    if (item.bitmap) {
        DrawPicture(dc, item, rect, hot || open);
        return;
    }
    if (open) DrawPart(dc, rect, skin_.Part(SkinPart::MenuBarItemOpen), skin_);
    if (hot) DrawPart(dc, rect, skin_.Part(SkinPart::MenuBarItemHot), skin_);
    SkinColour colour = SkinColour::MenuText;
    if (!item.enabled) {
        colour = SkinColour::MenuTextDisabled;
    } else if (hot || open) {
        colour = SkinColour::MenuTextHighlighted;
    }
    SetTextColor(dc, skin_.Colour(colour));
    RECT text = rect;
    DrawTextW(dc, item.text.c_str(), int(item.text.size()), &text, TextFormat | (hideCues ? DT_HIDEPREFIX : 0));
}

void SkinnedMenuBar::DrawPicture(HDC dc, const Item& item, const RECT& rect, bool hot) {
    RECT inner = rect;
    InflateRect(&inner, -PicturePadding, -PicturePadding);
    if (const auto parts = ButtonPartsOf(item.bitmap)) {
        // The caption buttons' glyphs are made for the title bar: a piece of it goes beneath them.
        DrawPart(dc, inner, skin_.Part(SkinPart::TitleBarActive), skin_);
        DrawPart(dc, inner, skin_.Part(hot && item.enabled ? parts->second : parts->first), skin_);
        return;
    }
    if (hot) DrawPart(dc, rect, skin_.Part(SkinPart::MenuBarItemHot), skin_);
    const int side = std::min(inner.right - inner.left, inner.bottom - inner.top);
    if (item.bitmap == HBMMENU_SYSTEM) {
        // The item's data is the maximised child whose system menu it opens.
        if (HICON icon = SkinnedFrame::TitleIcon(reinterpret_cast<HWND>(item.data)))
            DrawIconEx(dc, inner.left, inner.top + (inner.bottom - inner.top - side) / 2, icon, side, side, 0, nullptr,
                       DI_NORMAL);
        return;
    }
    if (IsSystemPicture(item.bitmap)) return;
    BITMAP picture{};
    if (!GetObjectW(item.bitmap, sizeof(picture), &picture)) return;
    DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(item.bitmap), 0, inner.left,
               inner.top + (inner.bottom - inner.top - picture.bmHeight) / 2, picture.bmWidth, picture.bmHeight,
               DST_BITMAP | (item.enabled ? 0 : DSS_DISABLED));
}

// ---- messages

std::optional<LRESULT> SkinnedMenuBar::Handle(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_NCMOUSEMOVE:
        if (!keyboard_ && !open_)
            SetHot(crack::HitCode(wParam) == HTMENU ? ItemAtScreen(crack::Point(lParam)) : std::nullopt);
        return std::nullopt;
    case WM_NCMOUSELEAVE:
    case WM_MOUSEMOVE:
        if (!keyboard_ && !open_) SetHot(std::nullopt);
        return std::nullopt;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK: {
        if (crack::HitCode(wParam) != HTMENU) return std::nullopt;
        if (const std::optional<size_t> item = ItemAtScreen(crack::Point(lParam))) {
            const std::shared_ptr<bool> alive = alive_;
            SendMessageW(owner_.window, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(owner_.window)), 0);
            if (!*alive) return 0;
            if (Opens(*item)) {
                if (Drop(*item, false) == DropEnd::BackToBar && *alive) KeyboardLoop(*hot_, false);
            } else {
                Choose(*item);
            }
        }
        return 0;
    }
    case WM_SYSCOMMAND: {
        const UINT command = UINT(wParam & 0xFFF0);
        if (command == SC_MOUSEMENU) return 0;  // the click was taken above
        if (command != SC_KEYMENU || items_.empty()) return std::nullopt;
        const auto key = static_cast<wchar_t>(lParam);
        if (key == L' ' || key == L'-') return std::nullopt;  // the system menus
        SendMessageW(owner_.window, WM_INITMENU, reinterpret_cast<WPARAM>(GetMenu(owner_.window)), 0);
        if (key == 0) {
            KeyboardLoop(0, false);
        } else if (const std::optional<size_t> item = ItemWithMnemonic(Mnemonics(), key, std::nullopt)) {
            KeyboardLoop(*item, true);
        } else {
            MessageBeep(0);
        }
        return 0;
    }
    case WM_MENUSELECT:
        if (lParam) {
            selectedIn_ = reinterpret_cast<HMENU>(lParam);
            selectedOpensSubmenu_ = HIWORD(wParam) != 0xFFFF && (HIWORD(wParam) & MF_POPUP);
        }
        return std::nullopt;
    case WM_UPDATEUISTATE:
        return owner_.CallPreviousThen(message, wParam, lParam, [this] { repaint_(); });
    default:
        return std::nullopt;
    }
}

std::vector<wchar_t> SkinnedMenuBar::Mnemonics() const {
    std::vector<wchar_t> keys;
    for (const Item& item : items_) keys.push_back(item.mnemonic);
    return keys;
}

// ---- the loops

// The bar in the keyboard's hands, no drop-down open: the arrows move along it, Enter and the
// vertical arrows open the hot item, a mnemonic opens its item, Esc, Alt, F10 or a click away leave.
void SkinnedMenuBar::KeyboardLoop(size_t start, bool openAtOnce) {
    if (items_.empty()) return;
    const std::shared_ptr<bool> alive = alive_;
    const HWND window = owner_.window;
    keyboard_ = true;
    hot_ = std::min(start, items_.size() - 1);
    repaint_();
    SetCapture(window);
    bool open = openAtOnce;
    bool openedByMouse = false;
    for (;;) {
        if (open) {
            open = false;
            const size_t item = *hot_;
            if (!Opens(item)) {
                // A command item chosen by its mnemonic or Enter sends its command; a disabled one waits.
                if (items_[item].enabled && !items_[item].submenu) {
                    Choose(item);
                    break;
                }
                if (openedByMouse) break;
                continue;
            }
            const DropEnd end = Drop(item, !openedByMouse);
            if (!*alive) return;
            if (end != DropEnd::BackToBar) break;
            openedByMouse = false;
            SetCapture(window);
            repaint_();
            continue;
        }
        MSG message;
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            if (got == 0) PostQuitMessage(int(message.wParam));
            break;
        }
        bool leave = false;
        switch (message.message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
            switch (message.wParam) {
            case VK_LEFT:
            case VK_RIGHT:
                hot_ = NeighbourItem(items_.size(), *hot_, message.wParam == VK_LEFT ? -1 : 1);
                repaint_();
                break;
            case VK_RETURN:
            case VK_DOWN:
            case VK_UP:
                open = true;
                break;
            case VK_ESCAPE:
            case VK_MENU:
            case VK_F10:
                leave = true;
                break;
            default:
                TranslateMessage(&message);
                break;
            }
            break;
        case WM_CHAR:
        case WM_SYSCHAR:
            if (const std::optional<size_t> item = ItemWithMnemonic(Mnemonics(), wchar_t(message.wParam), hot_)) {
                hot_ = item;
                open = true;
            } else {
                MessageBeep(0);
            }
            break;
        case WM_KEYUP:
        case WM_SYSKEYUP:
            break;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
            // A click on an item opens it; anywhere else it ends the bar's turn and is spent.
            if (const std::optional<size_t> item = ItemAtScreen(message.pt);
                item && (message.message == WM_LBUTTONDOWN || message.message == WM_NCLBUTTONDOWN)) {
                hot_ = item;
                open = true;
                openedByMouse = true;
            } else {
                leave = true;
            }
            break;
        case WM_MOUSEMOVE:
        case WM_NCMOUSEMOVE:
            if (const std::optional<size_t> item = ItemAtScreen(message.pt); item && item != hot_) {
                hot_ = item;
                repaint_();
            }
            break;
        default:
            DispatchMessageW(&message);
            break;
        }
        if (!*alive) return;
        if (leave || GetCapture() != window || GetActiveWindow() != window) break;
    }
    keyboard_ = false;
    hot_.reset();
    if (GetCapture() == window) ReleaseCapture();
    repaint_();
}

// Opens the item's drop-down and tracks it; the filter may end it to open another item's
// drop-down instead, which this loop then does.
SkinnedMenuBar::DropEnd SkinnedMenuBar::Drop(size_t index, bool keyboard) {
    const std::shared_ptr<bool> alive = alive_;
    const HWND window = owner_.window;
    for (;;) {
        if (!Opens(index)) {
            hot_ = index;
            return keyboard ? DropEnd::BackToBar : DropEnd::Done;
        }
        open_ = index;
        hot_ = index;
        repaint_();
        request_ = Request::None;
        selectedIn_ = items_[index].submenu;
        selectedOpensSubmenu_ = false;
        // The keyboard opens a drop-down with its first item highlighted, as the system's bar does.
        if (keyboard) PostMessageW(window, WM_KEYDOWN, VK_DOWN, 0);
        const RECT item = ItemOnScreen(index);
        TPMPARAMS params{sizeof(params), item};
        SkinnedMenuBar* const outer = tracking;
        tracking = this;
        HHOOK hook = SetWindowsHookExW(WH_MSGFILTER, &FilterHook, nullptr, GetCurrentThreadId());
        TrackPopupMenuEx(items_[index].submenu, TPM_LEFTALIGN | TPM_TOPALIGN | TPM_LEFTBUTTON | TPM_VERTICAL, item.left,
                         item.bottom, window, &params);
        if (hook) UnhookWindowsHookEx(hook);
        tracking = outer;
        if (!*alive) return DropEnd::Done;
        open_.reset();
        switch (request_) {
        case Request::Switch:
            index = requestedItem_;
            keyboard = requestedByKeyboard_;
            continue;
        case Request::Escape:
            return DropEnd::BackToBar;
        case Request::Toggle:
            repaint_();
            return DropEnd::Toggled;
        case Request::None:
            break;
        }
        if (!keyboard_) hot_.reset();
        repaint_();
        return DropEnd::Done;
    }
}

// An item without a drop-down sends its command at once, posted as the system's bar posts it.
void SkinnedMenuBar::Choose(size_t index) {
    if (index < items_.size() && items_[index].enabled && !items_[index].submenu)
        PostMessageW(owner_.window, WM_COMMAND, MAKEWPARAM(items_[index].id, 0), 0);
}

// A message of the drop-down's loop before the menu sees it; true when it is spent here.
bool SkinnedMenuBar::Filter(const MSG& message) {
    if (!open_) return false;
    const auto switchTo = [&](size_t item, bool byKeyboard) {
        request_ = Request::Switch;
        requestedItem_ = item;
        requestedByKeyboard_ = byKeyboard;
        EndMenu();
        return true;
    };
    switch (message.message) {
    case WM_MOUSEMOVE:
    case WM_NCMOUSEMOVE:
        if (const std::optional<size_t> item = ItemAtScreen(message.pt); item && item != open_ && Opens(*item))
            return switchTo(*item, false);
        return false;
    case WM_LBUTTONDOWN:
    case WM_NCLBUTTONDOWN: {
        const std::optional<size_t> item = ItemAtScreen(message.pt);
        if (!item) return false;
        if (item == open_) {
            request_ = Request::Toggle;
            EndMenu();
            return true;
        }
        return Opens(*item) ? switchTo(*item, false) : false;
    }
    case WM_KEYDOWN: {
        const bool atTop = selectedIn_ == items_[*open_].submenu;
        if (message.wParam == VK_LEFT && atTop) return switchTo(NeighbourItem(items_.size(), *open_, -1), true);
        if (message.wParam == VK_RIGHT && !selectedOpensSubmenu_)
            return switchTo(NeighbourItem(items_.size(), *open_, 1), true);
        // Esc on the drop-down itself closes it and leaves the bar in the keyboard's hands.
        if (message.wParam == VK_ESCAPE && atTop) request_ = Request::Escape;
        return false;
    }
    default:
        return false;
    }
}

LRESULT CALLBACK SkinnedMenuBar::FilterHook(int code, WPARAM wParam, LPARAM lParam) {
    if (code == MSGF_MENU && tracking && tracking->Filter(*reinterpret_cast<const MSG*>(lParam))) return 1;
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

}  // namespace qivyun::skin
