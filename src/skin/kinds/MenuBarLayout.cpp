#include "skin/kinds/MenuBarLayout.h"

#include <algorithm>

namespace qivyun::skin {
namespace {

wchar_t Folded(wchar_t c) { return c >= L'a' && c <= L'z' ? wchar_t(c - L'a' + L'A') : c; }

}  // namespace

std::optional<size_t> MenuBarLayout::ItemAt(int x, int y) const {
    for (size_t i = 0; i < items.size(); ++i) {
        const GridRect& r = items[i];
        if (r.width > 0 && x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height) return i;
    }
    return std::nullopt;
}

MenuBarLayout LayOutMenuBar(std::span<const MenuBarEntry> entries, int barWidth, int rowHeight, int padding) {
    MenuBarLayout layout;
    layout.items.resize(entries.size());
    int x = 0, row = 0;
    for (size_t i = 0; i < entries.size(); ++i) {
        if (entries[i].atRightEnd) continue;
        const int width = std::max(0, entries[i].width) + 2 * padding;
        if (x > 0 && x + width > barWidth) {
            ++row;
            x = 0;
        }
        layout.items[i] = GridRect{x, row * rowHeight, width, rowHeight};
        x += width;
    }
    // The right-end items keep together, after the last row's items or on a row of their own.
    int rightWidth = 0;
    for (const MenuBarEntry& entry : entries)
        if (entry.atRightEnd) rightWidth += std::max(0, entry.width) + 2 * padding;
    if (rightWidth > 0) {
        if (x > 0 && x + rightWidth > barWidth) ++row;
        int right = std::max(barWidth, rightWidth);
        for (size_t i = entries.size(); i-- > 0;) {
            if (!entries[i].atRightEnd) continue;
            const int width = std::max(0, entries[i].width) + 2 * padding;
            right -= width;
            layout.items[i] = GridRect{right, row * rowHeight, width, rowHeight};
        }
    }
    layout.rows = row + 1;
    layout.height = layout.rows * rowHeight;
    return layout;
}

wchar_t MnemonicOf(std::wstring_view text) {
    for (size_t i = 0; i + 1 < text.size(); ++i) {
        if (text[i] != L'&') continue;
        if (text[i + 1] != L'&') return Folded(text[i + 1]);
        ++i;  // a literal ampersand
    }
    return 0;
}

std::optional<size_t> ItemWithMnemonic(std::span<const wchar_t> mnemonics, wchar_t key, std::optional<size_t> after) {
    const size_t count = mnemonics.size();
    if (count == 0 || key == 0) return std::nullopt;
    const size_t start = after ? (*after + 1) % count : 0;
    for (size_t n = 0; n < count; ++n) {
        const size_t i = (start + n) % count;
        if (mnemonics[i] != 0 && mnemonics[i] == Folded(key)) return i;
    }
    return std::nullopt;
}

size_t NeighbourItem(size_t count, size_t from, int step) {
    if (count == 0) return 0;
    const long long n = static_cast<long long>(count);
    const long long at = (static_cast<long long>(from) + step) % n;
    return static_cast<size_t>(at < 0 ? at + n : at);
}

}  // namespace qivyun::skin
