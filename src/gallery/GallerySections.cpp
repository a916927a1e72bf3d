#include "gallery/GallerySections.h"

#include <iterator>

namespace qivyun::gallery {
namespace {

// Three columns, and a row across the bottom for the bars.
constexpr SectionEntry sections[] = {
    {"按钮", {10, 8, 310, 262}, &AddButtonSection},
    {"文本与列表框", {10, 270, 310, 470}, &AddTextSection},
    {"进度条与分组框", {10, 478, 310, 630}, &AddProgressSection},
    {"列表视图与树视图", {320, 8, 630, 338}, &AddListSection},
    {"组合框", {320, 346, 630, 520}, &AddComboSection},
    {"消息框与菜单", {320, 528, 630, 630}, &AddMessageSection},
    {"滚动条、微调与滑块", {640, 8, 940, 340}, &AddRangeSection},
    {"日期与月历", {640, 348, 940, 630}, &AddDateSection},
    {"工具栏、选项卡与状态栏", {10, 638, 940, 730}, &AddBarSection},
};

}  // namespace

std::span<const SectionEntry> GallerySectionTable() { return {sections, std::size(sections)}; }

}  // namespace qivyun::gallery
