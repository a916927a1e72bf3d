#include "skin/kinds/MenuItemLayout.h"

#include "skin/container/SkinParts.h"

#include <algorithm>

namespace qivyun::skin {
namespace {

constexpr int TextGap = 10, SubmenuGap = 20;

int Metric(const SkinTables& tables, SkinMetric metric) { return std::max(0, int(tables.metrics[size_t(Index(metric))])); }
const ImagePart& Part(const SkinTables& tables, SkinPart part) { return tables.parts[size_t(Index(part))]; }

// A part at its size, centred vertically in the item, at x.
GridRect AtItsSize(const ImagePart& part, const GridRect& item, int x) {
    const int width = std::max(0, part.width), height = std::max(0, part.height);
    return {x, item.y + (item.height - height) / 2, width, height};
}

}  // namespace

MenuItemSize MeasureMenuItem(const SkinTables& tables, int textWidth, bool submenu, bool separator) {
    const int height = Metric(tables, separator ? SkinMetric::MenuSeparatorHeight : SkinMetric::MenuItemHeight);
    return {std::max(0, textWidth) + (submenu ? SubmenuGap : TextGap), height};
}

MenuItemPlaces PlaceMenuItem(const SkinTables& tables, const GridRect& item, int widestMeasuredWidth, bool submenu) {
    MenuItemPlaces places;
    const int gap = submenu ? SubmenuGap : TextGap;
    const int indent = std::clamp(item.width - widestMeasuredWidth, 0, Metric(tables, SkinMetric::MenuTextIndent));

    const ImagePart& check = Part(tables, SkinPart::MenuCheck);
    places.check = AtItsSize(check, item, item.x + (indent - std::max(0, check.width)) / 2);

    const ImagePart& arrow = Part(tables, SkinPart::MenuSubmenuArrow);
    const int arrowWidth = std::max(0, arrow.width);
    const int arrowSpace = submenu ? std::min(gap, arrowWidth + (gap - arrowWidth) / 2) : 0;
    if (submenu) places.arrow = AtItsSize(arrow, item, item.x + item.width - arrowSpace);

    places.text = {item.x + indent, item.y, std::max(0, item.width - indent - arrowSpace), item.height};

    const ImagePart& separator = Part(tables, SkinPart::MenuSeparator);
    const int separatorHeight = std::min(std::max(0, separator.height), item.height);
    places.separator = {item.x, item.y + (item.height - separatorHeight) / 2, item.width, separatorHeight};
    return places;
}

}  // namespace qivyun::skin
