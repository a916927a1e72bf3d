#pragma once
// How the menu bar of a framed window lays out: its items side by side from the left in rows of
// the bar's width (an item that does not fit starts the next row), the items a maximised MDI
// child adds at the right end of the last row; which item a point hits, which item a mnemonic
// opens, and how the keyboard moves along the bar.
#include "skin/container/NineGrid.h"

#include <cstddef>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace qivyun::skin {

struct MenuBarEntry {
    int width = 0;            // the measured text or picture, without the item's padding
    bool atRightEnd = false;  // a caption button of a maximised child, right-aligned
};

struct MenuBarLayout {
    std::vector<GridRect> items;  // bar coordinates, one per entry
    int rows = 1;
    int height = 0;

    // The item under (x, y), or nothing between and beside the items.
    std::optional<size_t> ItemAt(int x, int y) const;
};

// Every item gets `padding` on each side of its width; rows are rowHeight high. A bar always has
// at least one row, also without items.
MenuBarLayout LayOutMenuBar(std::span<const MenuBarEntry> entries, int barWidth, int rowHeight, int padding);

// The letter an item's text marks with a single '&' ("文件(&F)" gives 'F'), upper case for Latin
// letters; 0 when it marks none ("&&" is a literal ampersand).
wchar_t MnemonicOf(std::wstring_view text);

// The first item after `after` (going round, `after` itself last) whose mnemonic is the key,
// compared without case for Latin letters; no item, nothing. Without a current item the search
// starts at the first.
std::optional<size_t> ItemWithMnemonic(std::span<const wchar_t> mnemonics, wchar_t key, std::optional<size_t> after);

// The item `step` places from `from` along the bar, going round at both ends. The keyboard visits
// every item, disabled ones too, as the system's bar does; they only do not open.
size_t NeighbourItem(size_t count, size_t from, int step);

}  // namespace qivyun::skin
