#include "BarsTabsAndDatesArt.h"

namespace qivyun::art::atlas {
namespace {

using qivyun::skin::SkinPart;

// The looks of these controls' parts (wider than the buttons' Look).
enum class StripLook { Normal, Over, Held, Checked, CheckedOver, Selected, Disabled };

// ---- status bars: a light band under a line, grooves between the parts, a grip of dots

Rgb StatusBandTop() { return Mix(palette::Panel, palette::White, 0.55); }

void StatusBarBackground(PartCanvas& c) {
    const double w = c.Width(), h = c.Height();
    c.Paint(RoundedBox(0, 0, w, h, 0), Vertical(StatusBandTop(), palette::Panel, 1, h));
    c.Paint(RoundedBox(0, 0, w, 1, 0), Solid(palette::PanelLine));
    c.Paint(RoundedBox(0, 1, w, 2, 0), Solid(palette::White));
}

void StatusBarDivider(PartCanvas& c) {
    const double h = c.Height();
    c.Paint(RoundedBox(0, 4, 1, h - 4, 0), Solid(palette::PanelLine));
    c.Paint(RoundedBox(1, 4, 2, h - 4, 0), Solid(palette::White));
}

void StatusBarGrip(PartCanvas& c) {
    const Rgb dot = Mix(palette::PanelLine, palette::Ink, 0.25);
    // six dots in a triangle against the corner
    for (const auto& [x, y] : std::vector<std::pair<double, double>>{{9, 1}, {5, 5}, {9, 5}, {1, 9}, {5, 9}, {9, 9}}) {
        c.Paint(RoundedBox(x + 1, y + 1, x + 3, y + 3, 0), Solid(palette::White));
        c.Paint(RoundedBox(x, y, x + 2, y + 2, 0), Solid(dot));
    }
}

// ---- tab controls

// A tab above the pane; `mirrored` turns it upside down for tabs below the pane.
void Tab(PartCanvas& c, StripLook look, bool mirrored) {
    const double w = c.Width(), h = c.Height(), r = ControlCornerRadius;
    const auto flip = [=](Inside inside) -> Inside {
        return [=](double x, double y) { return inside(x, mirrored ? h - y : y); };
    };
    const auto flipShade = [=](Shade shade) -> Shade {
        return [=](double x, double y) { return shade(x, mirrored ? h - y : y); };
    };
    Rgb border = palette::PanelLine;
    Shade face = Vertical(palette::White, Mix(palette::Panel, palette::PanelLine, 0.18), 1, h);
    switch (look) {
        case StripLook::Over: face = Vertical(palette::White, palette::FocusGlow, 1, h); break;
        case StripLook::Selected: face = Solid(palette::Panel); break;
        case StripLook::Disabled:
            border = palette::LineDisabled;
            face = Solid(Mix(palette::Panel, palette::White, 0.4));
            break;
        default: break;
    }
    // The rounded end lies away from the pane; the tab runs past the part's edge towards it.
    c.Paint(flip(RoundedBox(0, 0, w, h + r, r)), Solid(border));
    c.Paint(flip(RoundedBox(1, 1, w - 1, h + r, r - 1)), flipShade(face));
    if (look == StripLook::Selected)  // the brand's line along the end of the open tab
        c.Paint(flip(RoundedBox(1, 1, w - 1, 3, r - 1)), Solid(palette::BrandBlue));
    else  // the pane's line runs under a tab that is not open
        c.Paint(flip(RoundedBox(0, h - 1, w, h, 0)), Solid(look == StripLook::Disabled ? palette::LineDisabled : palette::PanelLine));
}

void TabPane(PartCanvas& c, bool enabled) {
    const double w = c.Width(), h = c.Height();
    c.Paint(Ring(RoundedBox(0, 0, w, h, 0), RoundedBox(1, 1, w - 1, h - 1, 0)),
            Solid(enabled ? palette::PanelLine : palette::LineDisabled));
}

// ---- toolbars

Shade ToolbarBand(double height) { return Vertical(Mix(palette::Panel, palette::White, 0.7), palette::Panel, 0, height); }

void ToolbarBackground(PartCanvas& c) {
    const double w = c.Width(), h = c.Height();
    c.Paint(RoundedBox(0, 0, w, h, 0), ToolbarBand(h));
    c.Paint(RoundedBox(0, h - 1, w, h, 0), Solid(palette::PanelLine));
}

void ToolButton(PartCanvas& c, StripLook look) {
    const double w = c.Width(), h = c.Height(), r = ControlCornerRadius;
    c.Ground(ToolbarBand(h));
    Rgb border = Mix(palette::SkyBlue, palette::BrandBlue, 0.35);
    Shade face = Vertical(palette::White, palette::FocusGlow, 1, h - 1);
    switch (look) {
        case StripLook::Held:
            border = palette::BrandBlue;
            face = Vertical(palette::FacePressed, Mix(palette::FacePressed, palette::White, 0.5), 1, h - 1);
            break;
        case StripLook::Checked:
            border = Mix(palette::SkyBlue, palette::BrandBlue, 0.5);
            face = Solid(palette::FocusGlow);
            break;
        case StripLook::CheckedOver:
            border = palette::BrandBlue;
            face = Solid(Mix(palette::FocusGlow, palette::SkyBlue, 0.3));
            break;
        default: break;
    }
    c.Paint(RoundedBox(0, 0, w, h, r), Solid(border));
    c.Paint(RoundedBox(1, 1, w - 1, h - 1, r - 1), face);
}

void ToolbarSeparator(PartCanvas& c) {
    const double h = c.Height();
    c.Paint(RoundedBox(2, 3, 3, h - 3, 0), Solid(palette::PanelLine));
    c.Paint(RoundedBox(3, 3, 4, h - 3, 0), Solid(palette::White));
}

void DropArrow(PartCanvas& c, bool enabled) {
    c.Ground(palette::Panel);
    c.Paint(Stroke({{1.5, 2.8}, {4, 5.3}, {6.5, 2.8}}, 1.5), Solid(enabled ? palette::Ink : palette::InkDisabled));
}

// ---- date-time pickers: the button's face starts with a line towards the text

void DateDropButton(PartCanvas& c, StripLook look) {
    const double w = c.Width(), h = c.Height();
    Rgb line = Mix(palette::PanelLine, palette::White, 0.3);
    Shade face = Vertical(palette::White, Mix(palette::Panel, palette::White, 0.3), 0, h);
    switch (look) {
        case StripLook::Over: face = Vertical(palette::White, palette::FocusGlow, 0, h); break;
        case StripLook::Held: face = Solid(palette::FacePressed); break;
        case StripLook::Disabled:
            line = palette::LineDisabled;
            face = Solid(palette::Panel);
            break;
        default: break;
    }
    c.Paint(RoundedBox(0, 0, w, h, 0), face);
    c.Paint(RoundedBox(0, 0, 1, h, 0), Solid(line));
}

// A leaf of a calendar: a frame with a band across its top and days below.
void DateDropGlyph(PartCanvas& c, bool enabled) {
    c.Ground(palette::White);
    const Rgb ink = enabled ? palette::BrandBlue : palette::LineDisabled;
    const Rgb days = enabled ? palette::Ink : palette::LineDisabled;
    c.Paint(Ring(RoundedBox(0, 1, 12, 12, 1.5), RoundedBox(1, 2, 11, 11, 0.5)), Solid(ink));
    c.Paint(RoundedBox(1, 2, 11, 4, 0), Solid(ink));
    c.Paint(RoundedBox(3, 0, 4, 2, 0), Solid(ink));
    c.Paint(RoundedBox(8, 0, 9, 2, 0), Solid(ink));
    for (const double y : {5.5, 8.0})
        for (const double x : {2.5, 5.0, 7.5}) c.Paint(RoundedBox(x, y, x + 2, y + 1.5, 0), Solid(days));
}

}  // namespace

bool PaintBarTabOrDatePart(SkinPart part, PartCanvas& c) {
    using P = SkinPart;
    switch (part) {
        case P::StatusBarBackground: StatusBarBackground(c); return true;
        case P::StatusBarDivider: StatusBarDivider(c); return true;
        case P::StatusBarGrip: StatusBarGrip(c); return true;
        case P::TabItem: Tab(c, StripLook::Normal, false); return true;
        case P::TabItemOver: Tab(c, StripLook::Over, false); return true;
        case P::TabItemSelected: Tab(c, StripLook::Selected, false); return true;
        case P::TabItemDisabled: Tab(c, StripLook::Disabled, false); return true;
        case P::TabItemBottom: Tab(c, StripLook::Normal, true); return true;
        case P::TabItemBottomOver: Tab(c, StripLook::Over, true); return true;
        case P::TabItemBottomSelected: Tab(c, StripLook::Selected, true); return true;
        case P::TabItemBottomDisabled: Tab(c, StripLook::Disabled, true); return true;
        case P::TabPane: TabPane(c, true); return true;
        case P::TabPaneDisabled: TabPane(c, false); return true;
        case P::ToolbarBackground: ToolbarBackground(c); return true;
        case P::ToolButtonOver: ToolButton(c, StripLook::Over); return true;
        case P::ToolButtonHeld: ToolButton(c, StripLook::Held); return true;
        case P::ToolButtonChecked: ToolButton(c, StripLook::Checked); return true;
        case P::ToolButtonCheckedOver: ToolButton(c, StripLook::CheckedOver); return true;
        case P::ToolbarSeparator: ToolbarSeparator(c); return true;
        case P::ToolbarDropArrow: DropArrow(c, true); return true;
        case P::ToolbarDropArrowDisabled: DropArrow(c, false); return true;
        case P::DateDropButton: DateDropButton(c, StripLook::Normal); return true;
        case P::DateDropButtonOver: DateDropButton(c, StripLook::Over); return true;
        case P::DateDropButtonHeld: DateDropButton(c, StripLook::Held); return true;
        case P::DateDropButtonDisabled: DateDropButton(c, StripLook::Disabled); return true;
        case P::DateDropGlyph: DateDropGlyph(c, true); return true;
        case P::DateDropGlyphDisabled: DateDropGlyph(c, false); return true;
        default: return false;
    }
}

}  // namespace qivyun::art::atlas
