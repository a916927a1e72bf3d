#include "skin/kinds/ControlBarLayout.h"

#include <algorithm>

namespace qivyun::skin {
namespace {

constexpr int GripperInset = 2;  // between a band's edges and its gripper
constexpr int LabelInset = 4;    // before a label without a gripper, and after the gripper

// The band as it lies along its rebar: x runs along the rows, y across them.
SkinRect Along(SkinRect rect, bool vertical) {
    return vertical ? SkinRect{rect.top, rect.left, rect.bottom, rect.right} : rect;
}

}  // namespace

bool BandShowsGripper(BandGripperStyle style, int bandCount) {
    if (style.never || style.fixedSize) return false;
    return style.always || bandCount > 1;
}

BandHeader BandHeaderLayout(SkinRect band, int headerLength, bool vertical, bool gripper, int gripperThickness) {
    const SkinRect along = Along(band, vertical);
    const int headerEnd = std::min(along.right, along.left + headerLength);
    BandHeader header;
    int labelStart = along.left + LabelInset;
    if (gripper) {
        const SkinRect grip{along.left + GripperInset, along.top + GripperInset,
                            along.left + GripperInset + gripperThickness, along.bottom - GripperInset};
        header.gripper = Along(grip, vertical);
        labelStart = grip.right + LabelInset;
    }
    header.label = Along(SkinRect{labelStart, along.top, headerEnd, along.bottom}, vertical);
    return header;
}

RebarLines RebarBorderLines(std::span<const SkinRect> bands, SkinRect bar, bool vertical, int thickness) {
    std::vector<SkinRect> laid;
    for (const SkinRect& band : bands)
        if (!band.Empty()) laid.push_back(Along(band, vertical));
    const SkinRect barAlong = Along(bar, vertical);

    RebarLines lines;
    for (const SkinRect& band : laid) {
        // The nearest band after it in its row.
        const SkinRect* next = nullptr;
        for (const SkinRect& other : laid)
            if (other.top == band.top && other.left >= band.right && (!next || other.left < next->left)) next = &other;
        if (!next) continue;
        const int middle = (band.right + next->left) / 2;
        const SkinRect line{middle - thickness / 2, band.top, middle - thickness / 2 + thickness, band.bottom};
        lines.betweenBands.push_back(Along(line, vertical));
    }

    std::vector<std::pair<int, int>> rows;  // each row's top and bottom
    for (const SkinRect& band : laid) {
        auto row = std::find_if(rows.begin(), rows.end(), [&](const auto& r) { return r.first == band.top; });
        if (row == rows.end()) rows.emplace_back(band.top, band.bottom);
        else row->second = std::max(row->second, band.bottom);
    }
    std::sort(rows.begin(), rows.end());
    for (size_t i = 0; i + 1 < rows.size(); ++i) {
        const int middle = (rows[i].second + rows[i + 1].first) / 2;
        const SkinRect line{barAlong.left, middle - thickness / 2, barAlong.right, middle - thickness / 2 + thickness};
        lines.betweenRows.push_back(Along(line, vertical));
    }
    return lines;
}

bool ControlBarIsHorizontal(int width, int height) { return width > height; }

SkinRect ControlBarInsets(bool horizontal, int border, int gripperStrip) {
    return horizontal ? SkinRect{border + gripperStrip, border, border, border}
                      : SkinRect{border, border + gripperStrip, border, border};
}

SkinRect ControlBarGripperRect(SkinRect window, bool horizontal, int border, int gripperStrip, int gripperThickness) {
    const SkinRect along = Along(window, !horizontal);
    const int start = along.left + border + (gripperStrip - gripperThickness) / 2;
    const SkinRect grip{start, along.top + border + GripperInset, start + gripperThickness,
                        along.bottom - border - GripperInset};
    return Along(grip, !horizontal);
}

int FittedWindowHeight(int windowHeight, int clientHeight, int barHeight) {
    return windowHeight - clientHeight + barHeight;
}

}  // namespace qivyun::skin
