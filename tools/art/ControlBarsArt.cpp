#include "ControlBarsArt.h"

namespace qivyun::art::atlas {
namespace {

using qivyun::skin::SkinPart;

// The toolbar's band shade, so that a toolbar in a band or on a bar meets its face seamlessly.
Shade BandShade(double height) { return Vertical(Mix(palette::Panel, palette::White, 0.7), palette::Panel, 0, height); }
Rgb RebarShade() { return Mix(palette::Panel, palette::PanelLine, 0.2); }

void RebarBackground(PartCanvas& c) {
    const double w = c.Width(), h = c.Height();
    c.Paint(RoundedBox(0, 0, w, h, 0), Solid(RebarShade()));
    c.Paint(RoundedBox(0, 0, w, 1, 0), Solid(palette::White));
}

void RebarBand(PartCanvas& c) {
    const double w = c.Width(), h = c.Height();
    c.Paint(RoundedBox(0, 0, w, h, 0), BandShade(h));
    c.Paint(RoundedBox(0, 0, w, 1, 0), Solid(palette::White));
    c.Paint(RoundedBox(0, h - 1, w, h, 0), Solid(palette::PanelLine));
}

// Dots two pixels wide with a light shadow, one every four pixels along the gripper: the tiled
// middle repeats them whatever the gripper's length.
void Gripper(PartCanvas& c, bool vertical) {
    c.Ground(BandShade(vertical ? 4 : c.Height()));
    const Rgb dot = Mix(palette::PanelLine, palette::Ink, 0.25);
    const double length = vertical ? c.Width() : c.Height();
    for (double along = 3; along + 2 <= length - 2; along += 4) {
        const double x = vertical ? along : 0, y = vertical ? 0 : along;
        c.Paint(RoundedBox(x + 1, y + 1, x + 3, y + 3, 0), Solid(palette::White));
        c.Paint(RoundedBox(x, y, x + 2, y + 2, 0), Solid(dot));
    }
}

void Groove(PartCanvas& c, bool across) {
    const double w = c.Width(), h = c.Height();
    if (across) {
        c.Paint(RoundedBox(0, 0, w, 1, 0), Solid(palette::PanelLine));
        c.Paint(RoundedBox(0, 1, w, 2, 0), Solid(palette::White));
    } else {
        c.Paint(RoundedBox(0, 3, 1, h - 3, 0), Solid(palette::PanelLine));
        c.Paint(RoundedBox(1, 3, 2, h - 3, 0), Solid(palette::White));
    }
}

void ControlBarBackground(PartCanvas& c) { c.Paint(RoundedBox(0, 0, c.Width(), c.Height(), 0), BandShade(c.Height())); }

void ControlBarBorder(PartCanvas& c) {
    const double w = c.Width(), h = c.Height();
    c.Paint(Ring(RoundedBox(0, 0, w, h, 0), RoundedBox(1, 1, w - 1, h - 1, 0)), Solid(palette::PanelLine));
    c.Paint(Ring(RoundedBox(1, 1, w - 1, h - 1, 0), RoundedBox(2, 2, w - 2, h - 2, 0)), Solid(palette::White));
}

void TravelBand(PartCanvas& c, bool enabled) {
    const double w = c.Width(), h = c.Height();
    const Shade face = enabled ? Vertical(palette::White, Mix(palette::Panel, palette::White, 0.3), 2, h - 2)
                               : Solid(palette::Panel);
    c.Paint(RoundedBox(0, 0, w, h, 0), Solid(enabled ? palette::PanelLine : palette::LineDisabled));
    c.Paint(RoundedBox(1, 1, w - 1, h - 1, 0), Solid(enabled ? palette::White : Mix(palette::Panel, palette::White, 0.5)));
    c.Paint(RoundedBox(2, 2, w - 2, h - 2, 0), face);
}

// Two small arrows pointing along the band: more of it lies beyond its end.
void Chevron(PartCanvas& c) {
    c.Ground(BandShade(c.Height()));
    for (const double x : {1.5, 5.5}) c.Paint(Stroke({{x, 2}, {x + 3, 5}, {x, 8}}, 1.4), Solid(palette::Ink));
}

}  // namespace

bool PaintControlBarPart(SkinPart part, PartCanvas& c) {
    using P = SkinPart;
    switch (part) {
        case P::RebarBackground: RebarBackground(c); return true;
        case P::RebarBand: RebarBand(c); return true;
        case P::BarGripper: Gripper(c, false); return true;
        case P::BarGripperVertical: Gripper(c, true); return true;
        case P::RebarBandBorder: Groove(c, false); return true;
        case P::RebarRowLine: Groove(c, true); return true;
        case P::ControlBarBackground: ControlBarBackground(c); return true;
        case P::ControlBarBorder: ControlBarBorder(c); return true;
        case P::TravelBandBackground: TravelBand(c, true); return true;
        case P::TravelBandBackgroundDisabled: TravelBand(c, false); return true;
        case P::RebarChevron: Chevron(c); return true;
        default: return false;
    }
}

}  // namespace qivyun::art::atlas
