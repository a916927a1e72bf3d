#include "SkinAtlasControls.h"

namespace qivyun::art::atlas {
namespace {

using qivyun::skin::SkinPart;

// ---- small buttons: the push button's look at a smaller radius

void SmallButton(PartCanvas& c, Look look) {
    const double w = c.Width(), h = c.Height(), r = ControlCornerRadius - 1;
    c.Ground(palette::White);
    Rgb border = Mix(palette::PanelLine, palette::White, 0.2);
    Shade face = Vertical(palette::White, Mix(palette::ControlFace, palette::Panel, 0.9), 1, h - 1);
    switch (look) {
        case Look::Over:
            border = Mix(palette::SkyBlue, palette::BrandBlue, 0.35);
            face = Vertical(palette::White, palette::FocusGlow, 1, h - 1);
            break;
        case Look::Held:
            border = palette::BrandBlue;
            face = Vertical(palette::FacePressed, Mix(palette::FacePressed, palette::White, 0.5), 1, h - 1);
            break;
        case Look::Disabled:
            border = palette::LineDisabled;
            face = Solid(Mix(palette::Panel, palette::White, 0.5));
            break;
        default:
            break;
    }
    c.Paint(RoundedBox(0, 0, w, h, r), Solid(border));
    c.Paint(RoundedBox(1, 1, w - 1, h - 1, r - 1), face);
}

enum class Direction { Up, Down, Left, Right };

// A chevron 7 pixels wide, crisp, so that it sits on any face without a fringe.
void Glyph(PartCanvas& c, Direction direction, bool enabled) {
    const double cx = c.Width() / 2.0, cy = c.Height() / 2.0, a = 3.4, b = 1.8;
    std::vector<std::pair<double, double>> chevron;
    switch (direction) {
        case Direction::Up: chevron = {{cx - a, cy + b}, {cx, cy - b}, {cx + a, cy + b}}; break;
        case Direction::Down: chevron = {{cx - a, cy - b}, {cx, cy + b}, {cx + a, cy - b}}; break;
        case Direction::Left: chevron = {{cx + b, cy - a}, {cx - b, cy}, {cx + b, cy + a}}; break;
        case Direction::Right: chevron = {{cx - b, cy - a}, {cx + b, cy}, {cx - b, cy + a}}; break;
    }
    c.PaintCrisp(Stroke(chevron, 1.7), enabled ? Mix(palette::Ink, palette::BrandBlue, 0.35) : palette::LineDisabled);
}

// ---- trackbars

void Channel(PartCanvas& c, bool enabled) {
    const double w = c.Width(), h = c.Height(), r = std::min(w, h) / 2;
    c.Paint(RoundedBox(0, 0, w, h, r), Solid(enabled ? Mix(palette::PanelLine, palette::BrandBlue, 0.2) : palette::LineDisabled));
    c.Paint(RoundedBox(1, 1, w - 1, h - 1, r - 1), Solid(enabled ? palette::Track : palette::Panel));
}

// Lit from above whichever way the trackbar runs.
void Thumb(PartCanvas& c, Look look) {
    const double w = c.Width(), h = c.Height(), r = ControlCornerRadius;
    Rgb border = palette::BrandBlue, light = palette::White, deep = palette::FocusGlow;
    switch (look) {
        case Look::Over:
            light = Mix(palette::FocusGlow, palette::White, 0.4);
            deep = palette::SkyBlue;
            break;
        case Look::Held:
            border = palette::NightBlue;
            light = palette::SkyBlue;
            deep = palette::BrandBlue;
            break;
        case Look::Disabled:
            border = palette::LineDisabled;
            light = deep = Mix(palette::Panel, palette::White, 0.5);
            break;
        default:
            break;
    }
    c.Paint(RoundedBox(0, 0, w, h, r), Solid(border));
    c.Paint(RoundedBox(1, 1, w - 1, h - 1, r - 1), Vertical(light, deep, 1, h - 1));
}

}  // namespace

void PaintControlPart(SkinPart part, PartCanvas& c) {
    using P = SkinPart;
    switch (part) {
        case P::SmallButtonNormal: return SmallButton(c, Look::Normal);
        case P::SmallButtonOver: return SmallButton(c, Look::Over);
        case P::SmallButtonHeld: return SmallButton(c, Look::Held);
        case P::SmallButtonDisabled: return SmallButton(c, Look::Disabled);
        case P::GlyphUp: return Glyph(c, Direction::Up, true);
        case P::GlyphDown: return Glyph(c, Direction::Down, true);
        case P::GlyphLeft: return Glyph(c, Direction::Left, true);
        case P::GlyphRight: return Glyph(c, Direction::Right, true);
        case P::GlyphUpDisabled: return Glyph(c, Direction::Up, false);
        case P::GlyphDownDisabled: return Glyph(c, Direction::Down, false);
        case P::GlyphLeftDisabled: return Glyph(c, Direction::Left, false);
        case P::GlyphRightDisabled: return Glyph(c, Direction::Right, false);
        case P::TrackbarChannel: return Channel(c, true);
        case P::TrackbarChannelDisabled: return Channel(c, false);
        case P::TrackbarChannelVertical: return Channel(c, true);
        case P::TrackbarChannelVerticalDisabled: return Channel(c, false);
        case P::TrackbarThumb: return Thumb(c, Look::Normal);
        case P::TrackbarThumbOver: return Thumb(c, Look::Over);
        case P::TrackbarThumbHeld: return Thumb(c, Look::Held);
        case P::TrackbarThumbDisabled: return Thumb(c, Look::Disabled);
        case P::TrackbarThumbVertical: return Thumb(c, Look::Normal);
        case P::TrackbarThumbVerticalOver: return Thumb(c, Look::Over);
        case P::TrackbarThumbVerticalHeld: return Thumb(c, Look::Held);
        case P::TrackbarThumbVerticalDisabled: return Thumb(c, Look::Disabled);
        default: return;
    }
}

}  // namespace qivyun::art::atlas
