#include "skin/kinds/ScrollBarPainting.h"

#include "framework/OffscreenSurface.h"
#include "skin/container/DrawPart.h"

#include <array>

namespace qivyun::skin {
namespace {

// The looks of one orientation: arrows normal, over, held, disabled; thumbs normal, over, held.
struct BarParts {
    std::array<SkinPart, 4> first, second;
    SkinPart track, trackDisabled;
    std::array<SkinPart, 3> thumb;
};
constexpr BarParts HorizontalParts{
    {SkinPart::ScrollLeftNormal, SkinPart::ScrollLeftOver, SkinPart::ScrollLeftHeld, SkinPart::ScrollLeftDisabled},
    {SkinPart::ScrollRightNormal, SkinPart::ScrollRightOver, SkinPart::ScrollRightHeld, SkinPart::ScrollRightDisabled},
    SkinPart::ScrollTrackHorizontal,
    SkinPart::ScrollTrackHorizontalDisabled,
    {SkinPart::ScrollThumbHorizontal, SkinPart::ScrollThumbHorizontalOver, SkinPart::ScrollThumbHorizontalHeld}};
constexpr BarParts VerticalParts{
    {SkinPart::ScrollUpNormal, SkinPart::ScrollUpOver, SkinPart::ScrollUpHeld, SkinPart::ScrollUpDisabled},
    {SkinPart::ScrollDownNormal, SkinPart::ScrollDownOver, SkinPart::ScrollDownHeld, SkinPart::ScrollDownDisabled},
    SkinPart::ScrollTrackVertical,
    SkinPart::ScrollTrackVerticalDisabled,
    {SkinPart::ScrollThumbVertical, SkinPart::ScrollThumbVerticalOver, SkinPart::ScrollThumbVerticalHeld}};
constexpr size_t DisabledLook = 3;

}  // namespace

void PaintScrollBar(HDC dc, const RECT& rect, bool horizontal, const BarLayout& layout, BarPart hot, PointerLook look,
                    const SkinData& skin) {
    const int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (width <= 0 || height <= 0) return;
    SurfacePool::Lease buffer = skin.Surfaces().Borrow(dc, width, height);
    if (!buffer) return;
    const RECT all{0, 0, width, height};
    FillRect(buffer.Dc(), &all, skin.BackgroundBrush());

    const BarParts& parts = horizontal ? HorizontalParts : VerticalParts;
    auto draw = [&](const BarSpan& span, SkinPart part) {
        if (span.length <= 0) return;
        const RECT at = horizontal ? RECT{span.start, 0, span.End(), height} : RECT{0, span.start, width, span.End()};
        DrawPart(buffer.Dc(), at, skin.Part(part), skin);
    };
    auto lookOf = [&](BarPart part) { return hot == part ? static_cast<size_t>(look) : 0; };
    if (layout.disabled) {
        draw(layout.track, parts.trackDisabled);
        draw(layout.firstArrow, parts.first[DisabledLook]);
        draw(layout.secondArrow, parts.second[DisabledLook]);
    } else {
        draw(layout.track, parts.track);
        if (layout.HasThumb()) draw(layout.thumb, parts.thumb[lookOf(BarPart::Thumb)]);
        draw(layout.firstArrow,
             parts.first[layout.disabledArrows & FirstArrowDisabled ? DisabledLook : lookOf(BarPart::FirstArrow)]);
        draw(layout.secondArrow,
             parts.second[layout.disabledArrows & SecondArrowDisabled ? DisabledLook : lookOf(BarPart::SecondArrow)]);
    }
    buffer.CopyTo(dc, rect.left, rect.top);
}

}  // namespace qivyun::skin
