#include "skin/kinds/StatusBarLayout.h"

namespace qivyun::skin {

StatusTextColumns SplitStatusText(std::wstring_view text) {
    StatusTextColumns columns;
    const size_t firstTab = text.find(L'\t');
    columns.left = text.substr(0, firstTab);
    if (firstTab == std::wstring_view::npos) return columns;
    const std::wstring_view rest = text.substr(firstTab + 1);
    const size_t secondTab = rest.find(L'\t');
    columns.centre = rest.substr(0, secondTab);
    if (secondTab != std::wstring_view::npos) columns.right = rest.substr(secondTab + 1);
    return columns;
}

std::vector<SkinRect> StatusDividers(std::span<const SkinRect> parts, int width, int barRight, int barTop, int barBottom) {
    std::vector<SkinRect> dividers;
    for (size_t i = 0; i + 1 < parts.size(); ++i) {
        const int boundary = parts[i].right;
        if (boundary >= barRight) break;
        dividers.push_back(SkinRect{boundary - width / 2, barTop, boundary - width / 2 + width, barBottom});
    }
    return dividers;
}

SkinRect StatusGripRect(int clientWidth, int clientHeight, int gripWidth, int gripHeight) {
    constexpr int Inset = 2;
    return SkinRect{clientWidth - Inset - gripWidth, clientHeight - Inset - gripHeight, clientWidth - Inset,
                    clientHeight - Inset};
}

}  // namespace qivyun::skin
