#pragma once
// Where the parts of control bars go: a rebar band's gripper, label and the lines between bands
// and rows; a framework control bar's orientation, non-client edges and gripper; and how a framed
// window fits its control bar.
#include "skin/engine/SkinRect.h"

#include <cstdint>
#include <span>
#include <vector>

namespace qivyun::skin {

// ---- rebar bands

// Whether a band shows a gripper, as the system decides: never with the no-gripper or fixed-size
// style, always with the gripper-always style, otherwise when the rebar holds more than one band.
struct BandGripperStyle {
    bool always = false, never = false, fixedSize = false;
};
bool BandShowsGripper(BandGripperStyle style, int bandCount);

// A band's header is the strip the rebar keeps before the band's child: on the left of a band
// `headerLength` wide, or along the top of a band of a vertical rebar. The gripper lies at the
// header's start, `gripperThickness` across and two pixels in from the band's edges; the label
// follows the gripper (or starts four pixels in without one) and runs to the header's end.
struct BandHeader {
    SkinRect gripper;  // empty without a gripper
    SkinRect label;
};
BandHeader BandHeaderLayout(SkinRect band, int headerLength, bool vertical, bool gripper, int gripperThickness);

// The lines of a rebar with band borders, `thickness` wide: one between each band and the next in
// its row, centred in the gap between them, over the band's height (across a vertical rebar's
// bands: their width); and one between neighbouring rows, centred in the gap between the rows and
// spanning the bar. Bands are in the rebar's order; empty ones are left out.
struct RebarLines {
    std::vector<SkinRect> betweenBands;
    std::vector<SkinRect> betweenRows;
};
RebarLines RebarBorderLines(std::span<const SkinRect> bands, SkinRect bar, bool vertical, int thickness);

// ---- framework control bars

// A bar wider than high lies horizontally (the gripper at its left); the others vertically (the
// gripper at their top).
bool ControlBarIsHorizontal(int width, int height);

// The non-client edges of a framework control bar: its border on every side, and at the leading
// edge the gripper strip (`gripperStrip` long across the bar's thickness) besides.
SkinRect ControlBarInsets(bool horizontal, int border, int gripperStrip);
// The gripper in the window (rectangle `window`): in the strip after the leading border, two pixels
// in from the bar's sides, `gripperThickness` across, centred in the strip.
SkinRect ControlBarGripperRect(SkinRect window, bool horizontal, int border, int gripperStrip, int gripperThickness);

// ---- a framed window fitted to its control bar

// The window's height that makes its client area exactly `barHeight` high, its frame kept.
int FittedWindowHeight(int windowHeight, int clientHeight, int barHeight);

}  // namespace qivyun::skin
