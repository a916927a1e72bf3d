#pragma once
// The menu bar of a framed window drawn from the skin, below its title bar: the bar and its items
// (idle, hot, open, disabled, with the mnemonics underlined unless the keyboard cues are hidden),
// and the system's menu loop taken over. A click on an item, Alt or F10 and Alt with a mnemonic
// open the items' drop-downs as the pop-up menus they are (TrackPopupMenuEx with the window as
// owner, so the window hears WM_INITMENUPOPUP, WM_MENUSELECT and the chosen WM_COMMAND as from the
// system's bar). While a drop-down is open a message filter hook on the menu loop lets the pointer
// move to another item and the arrow keys step past the drop-down's edge to the neighbouring one.
// The frame that owns the bar places it (MenuBarLayout) and composes it with the rest of its frame.
#include "skin/container/SkinData.h"
#include "skin/kinds/MenuBarLayout.h"

#include <windows.h>

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace qivyun::skin {

class WindowSkinner;

class SkinnedMenuBar {
public:
    // `repaint` draws the frame, the bar with it, again.
    SkinnedMenuBar(WindowSkinner& owner, const SkinData& skin, std::function<void()> repaint);
    ~SkinnedMenuBar();
    SkinnedMenuBar(const SkinnedMenuBar&) = delete;
    SkinnedMenuBar& operator=(const SkinnedMenuBar&) = delete;

    // Reads the window's menu again (its items, texts and states), measuring texts that changed.
    void Refresh();
    // The bar's height for a bar of this width, its items wrapping to more rows when they must.
    int HeightFor(int width) const;
    // Draws the bar into `bar` (window coordinates) of the frame's composition.
    void Draw(HDC dc, const GridRect& bar);
    // Where the frame put the bar in the window.
    void Place(const GridRect& bar) { bar_ = bar; }

    // The bar's answer to a message, or nothing when the frame and the window are to have it.
    std::optional<LRESULT> Handle(UINT message, WPARAM wParam, LPARAM lParam);

private:
    struct Item {
        std::wstring text;
        HMENU submenu = nullptr;
        UINT id = 0;
        bool enabled = true;
        HBITMAP bitmap = nullptr;  // a picture item (a maximised MDI child's icon and buttons)
        ULONG_PTR data = 0;
        MenuBarEntry entry;
        wchar_t mnemonic = 0;
    };
    enum class DropEnd { Done, BackToBar, Toggled };
    enum class Request { None, Switch, Escape, Toggle };

    MenuBarLayout LayoutOf(int width) const;
    std::optional<size_t> ItemAtScreen(POINT screen) const;
    RECT ItemOnScreen(size_t index) const;
    bool Opens(size_t index) const;
    void SetHot(std::optional<size_t> index);
    void DrawItem(HDC dc, const Item& item, size_t index, const RECT& rect, bool hideCues);
    void DrawPicture(HDC dc, const Item& item, const RECT& rect, bool hot);
    int PictureWidth(const Item& item) const;

    std::vector<wchar_t> Mnemonics() const;
    void KeyboardLoop(size_t start, bool openAtOnce);
    DropEnd Drop(size_t index, bool keyboard);
    void Choose(size_t index);
    bool Filter(const MSG& message);
    static LRESULT CALLBACK FilterHook(int code, WPARAM wParam, LPARAM lParam);

    WindowSkinner& owner_;
    const SkinData& skin_;
    std::function<void()> repaint_;
    std::vector<Item> items_;
    GridRect bar_{};
    std::optional<size_t> hot_;
    std::optional<size_t> open_;
    bool keyboard_ = false;  // the bar is in the keyboard's hands: cues show, the hot item stays
    // What the menu loop told of the drop-down: the menu highlighted in and whether its item opens
    // a submenu, and what the filter asked for when it ended the loop.
    HMENU selectedIn_ = nullptr;
    bool selectedOpensSubmenu_ = false;
    Request request_ = Request::None;
    size_t requestedItem_ = 0;
    bool requestedByKeyboard_ = false;
    // False once the bar is gone: a loop that outlived its window stops.
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace qivyun::skin
