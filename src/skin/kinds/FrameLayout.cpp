#include "skin/kinds/FrameLayout.h"

#include "skin/container/SkinParts.h"

#include <algorithm>

namespace qivyun::skin {
namespace {

// How far a resizing corner reaches along each edge from the window's corner.
constexpr int CornerGrip = 16;
// The gap between the title's end and the first caption button.
constexpr int TextGap = 4;

bool Contains(const GridRect& r, int x, int y) {
    return x >= r.x && y >= r.y && x < r.x + r.width && y < r.y + r.height;
}

GridRect Band(int x, int y, int width, int height) { return {x, y, std::max(0, width), std::max(0, height)}; }

}  // namespace

FrameMetrics FrameMetrics::Of(const SkinTables& tables) {
    auto metric = [&](SkinMetric m) { return std::max(0, int(tables.metrics[size_t(Index(m))])); };
    auto pair = [&](SkinPair p) { return tables.pairs[size_t(Index(p))]; };
    FrameMetrics metrics;
    metrics.titleBarHeight = metric(SkinMetric::TitleBarHeight);
    metrics.sideWidth = metric(SkinMetric::FrameSideWidth);
    metrics.bottomHeight = metric(SkinMetric::FrameBottomHeight);
    metrics.buttonWidth = metric(SkinMetric::CaptionButtonWidth);
    metrics.buttonHeight = metric(SkinMetric::CaptionButtonHeight);
    metrics.closeAt = pair(SkinPair::CloseButtonPosition);
    metrics.maximiseAt = pair(SkinPair::MaximiseButtonPosition);
    metrics.minimiseAt = pair(SkinPair::MinimiseButtonPosition);
    metrics.iconAt = pair(SkinPair::TitleIconPosition);
    metrics.textAt = pair(SkinPair::TitleTextPosition);
    return metrics;
}

FrameHit HitOf(CaptionButton button) {
    switch (button) {
    case CaptionButton::Close: return FrameHit::Close;
    case CaptionButton::Maximise: return FrameHit::Maximise;
    case CaptionButton::Minimise: return FrameHit::Minimise;
    }
    return FrameHit::Nowhere;
}

FrameLayout LayOutFrame(const FrameMetrics& m, const FrameStyle& style, int width, int height, int iconSize) {
    FrameLayout layout;
    layout.width = std::max(0, width);
    layout.height = std::max(0, height);
    layout.sizable = style.sizable && !style.maximised;
    const int w = layout.width, h = layout.height;
    const int title = std::min(m.titleBarHeight, h);
    const int bottom = std::min(m.bottomHeight, h - title);
    const int side = std::min(m.sideWidth, w / 2);
    layout.titleBar = Band(0, 0, w, title);
    layout.left = Band(0, title, side, h - title - bottom);
    layout.right = Band(w - side, title, side, h - title - bottom);
    layout.bottom = Band(0, h - bottom, w, bottom);
    const int menu = std::clamp(style.menuBarHeight, 0, std::max(0, h - title - bottom));
    layout.menuBar = Band(side, title, w - 2 * side, menu);
    layout.client = Band(side, title + menu, w - 2 * side, h - title - bottom - menu);

    int leftLimit = side;
    if (style.systemMenu && style.icon && iconSize > 0) {
        layout.icon = Band(m.iconAt.x < 0 ? w + m.iconAt.x : m.iconAt.x, m.iconAt.y, iconSize, iconSize);
        leftLimit = std::max(leftLimit, layout.icon.x + layout.icon.width);
    }

    int textRight = w - side - TextGap;
    if (style.systemMenu) {
        CaptionButton wanted[3];
        size_t count = 0;
        wanted[count++] = CaptionButton::Close;
        if (style.maximiseBox) wanted[count++] = CaptionButton::Maximise;
        if (style.minimiseBox) wanted[count++] = CaptionButton::Minimise;
        const SkinPoint places[3] = {m.closeAt, m.maximiseAt, m.minimiseAt};
        for (size_t i = 0; i < count; ++i) {
            const int x = places[i].x < 0 ? w + places[i].x : places[i].x;
            const GridRect rect{x, places[i].y, m.buttonWidth, m.buttonHeight};
            if (rect.x < leftLimit || rect.x + rect.width > w || m.buttonWidth <= 0 || m.buttonHeight <= 0) break;
            layout.buttons[layout.buttonCount++] = {wanted[i], rect};
            textRight = std::min(textRight, rect.x - TextGap);
        }
    }

    const int textLeft = layout.icon.width > 0 ? m.textAt.x : (m.iconAt.x < 0 ? w + m.iconAt.x : m.iconAt.x);
    layout.text = Band(textLeft, m.textAt.y, textRight - textLeft, title);
    return layout;
}

const CaptionButtonPlace* FrameLayout::Button(CaptionButton button) const {
    for (size_t i = 0; i < buttonCount; ++i)
        if (buttons[i].button == button) return &buttons[i];
    return nullptr;
}

FrameHit FrameLayout::HitTest(int x, int y, bool inertCaption) const {
    if (x < 0 || y < 0 || x >= width || y >= height) return FrameHit::Nowhere;
    if (Contains(client, x, y)) return FrameHit::Client;
    if (Contains(menuBar, x, y)) return FrameHit::Menu;
    for (size_t i = 0; i < buttonCount; ++i)
        if (Contains(buttons[i].rect, x, y)) return HitOf(buttons[i].button);

    if (sizable) {
        const int grip = std::min({CornerGrip, width / 2, height / 2});
        const bool atLeft = x < std::max(left.width, 1), atRight = x >= width - std::max(right.width, 1);
        const bool atTop = y < std::max(left.width, 1), atBottom = y >= height - std::max(bottom.height, 1);
        const bool nearLeft = x < grip, nearRight = x >= width - grip;
        const bool nearTop = y < grip, nearBottom = y >= height - grip;
        if ((atTop && nearLeft) || (atLeft && nearTop)) return FrameHit::TopLeft;
        if ((atTop && nearRight) || (atRight && nearTop)) return FrameHit::TopRight;
        if ((atBottom && nearLeft) || (atLeft && nearBottom)) return FrameHit::BottomLeft;
        if ((atBottom && nearRight) || (atRight && nearBottom)) return FrameHit::BottomRight;
        if (atTop) return FrameHit::Top;
        if (atLeft) return FrameHit::Left;
        if (atRight) return FrameHit::Right;
        if (atBottom) return FrameHit::Bottom;
    }

    if (Contains(titleBar, x, y)) {
        if (inertCaption) return FrameHit::Border;
        return Contains(icon, x, y) ? FrameHit::SystemMenu : FrameHit::Caption;
    }
    return FrameHit::Border;
}

}  // namespace qivyun::skin
