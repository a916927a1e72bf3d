// Draws the skin's atlas (24-bit, the size its description gives): every image part that the
// description places is painted into its rectangle by the painter of its name; the rest of the
// atlas is magenta. Built with the native build; run by hand when the skin changes, and the result
// is kept beside the description (a native test checks that it is what this program draws).
//
//   make-skin-atlas DESCRIPTION OUTPUT.bmp
#include "BarsTabsAndDatesArt.h"
#include "MenuBarsAndWorkspaceArt.h"
#include "ControlBarsArt.h"
#include "PaletteNames.h"
#include "SkinAtlasCanvas.h"
#include "SkinAtlasControls.h"
#include "skin/container/SkinDescription.h"
#include "skin/container/SkinParts.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <functional>
#include <iostream>
#include <iterator>

namespace {

using namespace qivyun::art;
using namespace qivyun::art::atlas;
using qivyun::skin::SkinPart;

// Boxes of 13 pixels (check boxes) take a radius one smaller than the other controls.
constexpr double SmallBoxRadius = ControlCornerRadius - 1;

// ---- framed windows

// The title bar's colour at a height: the brand blue deepening downwards, as in the header band.
Rgb TitleColour(bool active, double y) {
    const Rgb top = active ? palette::BrandBlue : Mix(palette::TitleInactive, palette::White, 0.18);
    const Rgb bottom = active ? Mix(palette::BrandBlue, palette::NightBlue, 0.45) : palette::TitleInactive;
    return Mix(top, bottom, std::clamp(y / 30.0, 0.0, 1.0));
}
Rgb FrameColour(bool active) { return TitleColour(active, 30); }
Rgb FrameOuterLine(bool active) { return active ? palette::NightBlue : Mix(palette::TitleInactive, palette::Ink, 0.35); }

void TitleBar(PartCanvas& c, bool active) {
    const double w = c.Width(), h = c.Height(), r = ControlCornerRadius;
    c.Paint(RoundedBox(0, 0, w, h + r, r), Solid(FrameOuterLine(active)));
    c.Paint(RoundedBox(1, 1, w - 1, h + r, r - 1), [=](double, double y) { return TitleColour(active, y); });
    // a light line under the top edge
    c.Paint(RoundedBox(1, 1, w - 1, 2, 0), Solid(Mix(TitleColour(active, 1), palette::White, 0.25)));
    c.Paint(RoundedBox(r, 1, w - r, 2, 0), Solid(Mix(TitleColour(active, 1), palette::White, 0.3)));
}

void FrameSide(PartCanvas& c, bool active, bool left) {
    c.Clear(FrameColour(active));
    const double outer = left ? 0 : c.Width() - 1;
    c.Paint(RoundedBox(outer, 0, outer + 1, c.Height(), 0), Solid(FrameOuterLine(active)));
}

void FrameBottom(PartCanvas& c, bool active) {
    const double w = c.Width(), h = c.Height(), r = ControlCornerRadius;
    c.Ground(FrameColour(active));
    c.Paint(RoundedBox(0, -r, w, h, r), Solid(FrameOuterLine(active)));
    c.Paint(RoundedBox(1, -r, w - 1, h - 1, r - 1), Solid(FrameColour(active)));
}

enum class CaptionGlyph { Close, Minimise, Maximise, Restore };
enum class CaptionLook { Normal, Over, Held };

// Caption buttons lie 4 pixels below the title bar's top (pair CloseButtonPosition).
constexpr double CaptionButtonTop = 4;

void CaptionButton(PartCanvas& c, CaptionGlyph glyph, CaptionLook look) {
    const double w = c.Width(), h = c.Height();
    c.Ground([](double, double y) { return TitleColour(true, y + CaptionButtonTop); });
    if (look != CaptionLook::Normal) {
        const bool close = glyph == CaptionGlyph::Close;
        Shade face = [=](double, double y) {
            const Rgb title = TitleColour(true, y + CaptionButtonTop);
            if (close) return look == CaptionLook::Over ? palette::CloseRed : Mix(palette::CloseRed, Rgb{0, 0, 0}, 0.22);
            return look == CaptionLook::Over ? Mix(title, palette::White, 0.22) : Mix(title, palette::NightBlue, 0.45);
        };
        c.Paint(RoundedBox(0, 0, w, h, ControlCornerRadius), face);
    }
    const double cx = w / 2, cy = h / 2, s = 5;  // the glyph spans 10 x 10 pixels
    switch (glyph) {
        case CaptionGlyph::Close:
            c.PaintCrisp(Stroke({{cx - s, cy - s}, {cx + s, cy + s}}, 1.7), palette::White);
            c.PaintCrisp(Stroke({{cx + s, cy - s}, {cx - s, cy + s}}, 1.7), palette::White);
            break;
        case CaptionGlyph::Minimise:
            c.PaintCrisp(RoundedBox(cx - s, cy + 2, cx + s, cy + 4, 0), palette::White);
            break;
        case CaptionGlyph::Maximise:
            c.PaintCrisp(Ring(RoundedBox(cx - s, cy - s, cx + s, cy + s, 0), RoundedBox(cx - s + 1, cy - s + 2, cx + s - 1, cy + s - 1, 0)),
                         palette::White);
            break;
        case CaptionGlyph::Restore:
            // a window in front, lower left, with the top and right edges of one behind it
            c.PaintCrisp(Ring(RoundedBox(cx - s, cy - 2, cx + s - 2, cy + s, 0), RoundedBox(cx - s + 1, cy, cx + s - 3, cy + s - 1, 0)),
                         palette::White);
            c.PaintCrisp(Ring(RoundedBox(cx - s + 3, cy - s, cx + s, cy + 3, 0), RoundedBox(cx - s + 3, cy - s + 1, cx + s - 1, cy + 3, 0)),
                         palette::White);
            break;
    }
}

// ---- menus

void MenuBackground(PartCanvas& c) {
    c.Clear(palette::PanelLine);
    c.Paint(RoundedBox(1, 1, c.Width() - 1, c.Height() - 1, 0), Solid(palette::ControlFace));
}

void MenuHighlight(PartCanvas& c) {
    c.Ground(palette::ControlFace);
    const double w = c.Width(), h = c.Height(), r = ControlCornerRadius;
    c.Paint(RoundedBox(0, 0, w, h, r), Solid(Mix(palette::SkyBlue, palette::FocusGlow, 0.35)));
    c.Paint(RoundedBox(1, 1, w - 1, h - 1, r - 1), Vertical(Mix(palette::FocusGlow, palette::White, 0.45), palette::FocusGlow, 1, h - 1));
}

void MenuSeparator(PartCanvas& c) {
    c.Ground(palette::ControlFace);
    const double middle = std::floor(c.Height() / 2.0);
    c.Paint(RoundedBox(0, middle, c.Width(), middle + 1, 0), Solid(Mix(palette::PanelLine, palette::ControlFace, 0.35)));
}

void MenuCheck(PartCanvas& c) {
    c.Ground(palette::ControlFace);
    c.Paint(Stroke({{2.5, 6.2}, {5, 8.8}, {9.8, 3.2}}, 1.7), Solid(palette::Ink));
}

void MenuSubmenuArrow(PartCanvas& c) {
    c.Ground(palette::ControlFace);
    c.Paint(Stroke({{2.8, 1.5}, {5.6, 4}, {2.8, 6.5}}, 1.5), Solid(palette::Ink));
}

// ---- push buttons

void PushButton(PartCanvas& c, Look look) {
    const double w = c.Width(), h = c.Height(), r = ControlCornerRadius;
    const Rgb faceBottom = Mix(palette::ControlFace, palette::Panel, 0.8);
    Rgb border = palette::PanelLine;
    Shade face = Vertical(palette::White, faceBottom, 1, h - 1);
    switch (look) {
        case Look::Normal:
            break;
        case Look::Over:
            border = Mix(palette::SkyBlue, palette::BrandBlue, 0.35);
            face = Vertical(palette::White, palette::FocusGlow, 1, h - 1);
            break;
        case Look::Focused:
            border = palette::BrandBlue;
            break;
        case Look::Held:
            border = palette::BrandBlue;
            face = Vertical(palette::FacePressed, Mix(palette::FacePressed, palette::White, 0.5), 1, h - 1);
            break;
        case Look::Disabled:
            border = palette::LineDisabled;
            face = Solid(Mix(palette::Panel, palette::White, 0.5));
            break;
    }
    c.Paint(RoundedBox(0, 0, w, h, r), Solid(border));
    c.Paint(RoundedBox(1, 1, w - 1, h - 1, r - 1), face);
    if (look == Look::Focused)  // a soft inner ring inside the blue line
        c.Paint(Ring(RoundedBox(1, 1, w - 1, h - 1, r - 1), RoundedBox(2, 2, w - 2, h - 2, r - 2)), Solid(palette::FocusGlow));
}

// ---- column headers

void HeaderItem(PartCanvas& c, Look look) {
    const double w = c.Width(), h = c.Height();
    Shade face = Vertical(palette::White, Mix(palette::Panel, palette::ControlFace, 0.4), 0, h);
    Rgb line = palette::PanelLine;
    switch (look) {
        case Look::Over:
            face = Vertical(palette::White, palette::FocusGlow, 0, h);
            break;
        case Look::Held:
            face = Vertical(palette::FacePressed, Mix(palette::FacePressed, palette::White, 0.4), 0, h);
            break;
        case Look::Disabled:
            face = Solid(palette::Panel);
            line = palette::LineDisabled;
            break;
        default:
            break;
    }
    c.Paint(RoundedBox(0, 0, w, h, 0), face);
    c.Paint(RoundedBox(w - 2, 5, w - 1, h - 5, 0), Solid(line));  // divider, between the vertical margins
    c.Paint(RoundedBox(w - 1, 5, w, h - 5, 0), Solid(palette::White));
    c.Paint(RoundedBox(0, h - 1, w, h, 0), Solid(line));
    if (look == Look::Over || look == Look::Held)
        c.Paint(RoundedBox(0, h - 2, w, h, 0), Solid(look == Look::Over ? palette::SkyBlue : palette::BrandBlue));
}

// ---- group boxes

void GroupBoxFrame(PartCanvas& c, bool enabled) {
    const double w = c.Width(), h = c.Height(), r = ControlCornerRadius;
    c.Paint(Ring(RoundedBox(0, 0, w, h, r), RoundedBox(1, 1, w - 1, h - 1, r - 1)),
            Solid(enabled ? palette::PanelLine : palette::LineDisabled));
}

// ---- progress bars: a white channel in a rounded frame; the bar is a pill of the brand's blues

void ProgressTrough(PartCanvas& c, bool enabled) {
    const double w = c.Width(), h = c.Height();
    c.Paint(RoundedBox(0, 0, w, h, ControlCornerRadius), Solid(enabled ? palette::PanelLine : palette::LineDisabled));
    c.Paint(RoundedBox(1, 1, w - 1, h - 1, ControlCornerRadius - 1), Solid(enabled ? palette::White : palette::Panel));
}

void ProgressBar(PartCanvas& c, bool enabled, bool vertical) {
    const double w = c.Width(), h = c.Height();
    c.Ground(enabled ? palette::White : palette::Panel);
    const Rgb light = enabled ? palette::SkyBlue : Mix(palette::LineDisabled, palette::White, 0.3);
    const Rgb deep = enabled ? palette::BrandBlue : palette::LineDisabled;
    const double radius = std::min(w, h) / 2;
    c.Paint(RoundedBox(0, 0, w, h, radius), vertical ? Horizontal(light, deep, 0, w) : Vertical(light, deep, 0, h));
}

// ---- check boxes and radio buttons

enum class Mark { None, Checked, Mixed };

struct BoxColours {
    Rgb border, face, mark;
};

BoxColours BoxLook(Look look, bool filled) {
    switch (look) {
        case Look::Over:
            return filled ? BoxColours{palette::BrandBlue, Mix(palette::BrandBlue, palette::SkyBlue, 0.4), palette::White}
                          : BoxColours{Mix(palette::SkyBlue, palette::BrandBlue, 0.35), palette::FocusGlow, palette::BrandBlue};
        case Look::Held:
            return filled ? BoxColours{palette::NightBlue, Mix(palette::BrandBlue, palette::NightBlue, 0.4), palette::White}
                          : BoxColours{palette::BrandBlue, palette::FacePressed, palette::BrandBlue};
        case Look::Focused:
            return filled ? BoxColours{palette::NightBlue, palette::BrandBlue, palette::White}
                          : BoxColours{palette::BrandBlue, palette::White, palette::BrandBlue};
        case Look::Disabled:
            return filled ? BoxColours{palette::LineDisabled, palette::LineDisabled, palette::White}
                          : BoxColours{palette::LineDisabled, Mix(palette::Panel, palette::White, 0.5), palette::LineDisabled};
        case Look::Normal:
            break;
    }
    return filled ? BoxColours{palette::BrandBlue, palette::BrandBlue, palette::White}
                  : BoxColours{Mix(palette::PanelLine, palette::Ink, 0.15), palette::White, palette::BrandBlue};
}

void CheckBox(PartCanvas& c, Look look, Mark mark) {
    const double w = c.Width(), h = c.Height(), r = SmallBoxRadius;
    const BoxColours colours = BoxLook(look, mark == Mark::Checked);
    c.Paint(RoundedBox(0, 0, w, h, r), Solid(colours.border));
    c.Paint(RoundedBox(1, 1, w - 1, h - 1, r - 1), Solid(colours.face));
    if (mark == Mark::Checked) c.Paint(Stroke({{3.2, 6.6}, {5.6, 9}, {10, 4}}, 1.8), Solid(colours.mark));
    if (mark == Mark::Mixed) c.Paint(RoundedBox(3.5, 3.5, w - 3.5, h - 3.5, 1.5), Solid(colours.mark));
}

void Radio(PartCanvas& c, Look look, bool checked) {
    const double w = c.Width(), h = c.Height();
    BoxColours colours = BoxLook(look, false);
    if (checked && look == Look::Normal) colours.border = palette::BrandBlue;
    c.Paint(Circle(w / 2, h / 2, w / 2), Solid(colours.border));
    c.Paint(Circle(w / 2, h / 2, w / 2 - 1), Solid(colours.face));
    if (checked) c.Paint(Circle(w / 2, h / 2, 2.6), Solid(colours.mark));
}

// ---- scroll bars: the track's colour with a line towards the content, chevron arrows, a pill thumb

enum class Direction { Up, Down, Left, Right };

void TrackBase(PartCanvas& c, bool vertical, bool enabled) {
    c.Clear(enabled ? palette::Track : Mix(palette::Track, palette::Panel, 0.5));
    const Rgb line = Mix(palette::Track, palette::PanelLine, 0.45);
    c.Paint(vertical ? RoundedBox(0, 0, 1, c.Height(), 0) : RoundedBox(0, 0, c.Width(), 1, 0), Solid(line));
}

void ScrollArrow(PartCanvas& c, Direction direction, Look look) {
    const bool vertical = direction == Direction::Up || direction == Direction::Down;
    TrackBase(c, vertical, look != Look::Disabled);
    Rgb glyph = Mix(palette::Ink, palette::PanelLine, 0.45);
    // the face leaves the separating line alone
    const double x0 = vertical ? 3 : 2, y0 = vertical ? 2 : 3;
    if (look == Look::Over || look == Look::Held) {
        c.Ground(palette::Track);
        c.Paint(RoundedBox(x0, y0, x0 + 12, y0 + 12, ControlCornerRadius - 1),
                Solid(look == Look::Over ? palette::FocusGlow : Mix(palette::SkyBlue, palette::BrandBlue, 0.5)));
        glyph = look == Look::Over ? palette::BrandBlue : palette::White;
    }
    if (look == Look::Disabled) glyph = palette::LineDisabled;
    const double cx = x0 + 6, cy = y0 + 6, a = 3.2, b = 1.8;
    std::vector<std::pair<double, double>> chevron;
    switch (direction) {
        case Direction::Up: chevron = {{cx - a, cy + b}, {cx, cy - b}, {cx + a, cy + b}}; break;
        case Direction::Down: chevron = {{cx - a, cy - b}, {cx, cy + b}, {cx + a, cy - b}}; break;
        case Direction::Left: chevron = {{cx + b, cy - a}, {cx - b, cy}, {cx + b, cy + a}}; break;
        case Direction::Right: chevron = {{cx - b, cy - a}, {cx + b, cy}, {cx - b, cy + a}}; break;
    }
    c.Paint(Stroke(chevron, 1.6), Solid(glyph));
}

void ScrollTrack(PartCanvas& c, bool vertical, bool enabled) { TrackBase(c, vertical, enabled); }

void ScrollThumb(PartCanvas& c, bool vertical, Look look) {
    TrackBase(c, vertical, true);
    c.Ground(palette::Track);
    const Rgb colour = look == Look::Over ? Mix(palette::PanelLine, palette::BrandBlue, 0.45)
                       : look == Look::Held ? palette::BrandBlue
                                            : palette::PanelLine;
    const double w = c.Width(), h = c.Height();
    c.Paint(vertical ? RoundedBox(4, 1, w - 3, h - 1, ControlCornerRadius) : RoundedBox(1, 4, w - 1, h - 3, ControlCornerRadius),
            Solid(colour));
}

// ---- the painter of each part

void PaintPart(SkinPart part, PartCanvas& c) {
    using P = SkinPart;
    if (PaintBarTabOrDatePart(part, c)) return;
    if (PaintMenuBarOrWorkspacePart(part, c)) return;
    if (PaintControlBarPart(part, c)) return;
    switch (part) {
        case P::TitleBarActive: return TitleBar(c, true);
        case P::TitleBarInactive: return TitleBar(c, false);
        case P::FrameLeftActive: return FrameSide(c, true, true);
        case P::FrameLeftInactive: return FrameSide(c, false, true);
        case P::FrameRightActive: return FrameSide(c, true, false);
        case P::FrameRightInactive: return FrameSide(c, false, false);
        case P::FrameBottomActive: return FrameBottom(c, true);
        case P::FrameBottomInactive: return FrameBottom(c, false);
        case P::CloseButtonNormal: return CaptionButton(c, CaptionGlyph::Close, CaptionLook::Normal);
        case P::CloseButtonOver: return CaptionButton(c, CaptionGlyph::Close, CaptionLook::Over);
        case P::CloseButtonHeld: return CaptionButton(c, CaptionGlyph::Close, CaptionLook::Held);
        case P::MinimiseButtonNormal: return CaptionButton(c, CaptionGlyph::Minimise, CaptionLook::Normal);
        case P::MinimiseButtonOver: return CaptionButton(c, CaptionGlyph::Minimise, CaptionLook::Over);
        case P::MinimiseButtonHeld: return CaptionButton(c, CaptionGlyph::Minimise, CaptionLook::Held);
        case P::MaximiseButtonNormal: return CaptionButton(c, CaptionGlyph::Maximise, CaptionLook::Normal);
        case P::MaximiseButtonOver: return CaptionButton(c, CaptionGlyph::Maximise, CaptionLook::Over);
        case P::MaximiseButtonHeld: return CaptionButton(c, CaptionGlyph::Maximise, CaptionLook::Held);
        case P::RestoreButtonNormal: return CaptionButton(c, CaptionGlyph::Restore, CaptionLook::Normal);
        case P::RestoreButtonOver: return CaptionButton(c, CaptionGlyph::Restore, CaptionLook::Over);
        case P::RestoreButtonHeld: return CaptionButton(c, CaptionGlyph::Restore, CaptionLook::Held);
        case P::MenuBackground: return MenuBackground(c);
        case P::MenuItemHighlight: return MenuHighlight(c);
        case P::MenuSeparator: return MenuSeparator(c);
        case P::MenuCheck: return MenuCheck(c);
        case P::MenuSubmenuArrow: return MenuSubmenuArrow(c);
        case P::PushButtonNormal: return PushButton(c, Look::Normal);
        case P::PushButtonOver: return PushButton(c, Look::Over);
        case P::PushButtonFocused: return PushButton(c, Look::Focused);
        case P::PushButtonHeld: return PushButton(c, Look::Held);
        case P::PushButtonDisabled: return PushButton(c, Look::Disabled);
        case P::CheckBoxNormal: return CheckBox(c, Look::Normal, Mark::None);
        case P::CheckBoxOver: return CheckBox(c, Look::Over, Mark::None);
        case P::CheckBoxHeld: return CheckBox(c, Look::Held, Mark::None);
        case P::CheckBoxFocused: return CheckBox(c, Look::Focused, Mark::None);
        case P::CheckBoxDisabled: return CheckBox(c, Look::Disabled, Mark::None);
        case P::CheckBoxCheckedNormal: return CheckBox(c, Look::Normal, Mark::Checked);
        case P::CheckBoxCheckedOver: return CheckBox(c, Look::Over, Mark::Checked);
        case P::CheckBoxCheckedHeld: return CheckBox(c, Look::Held, Mark::Checked);
        case P::CheckBoxCheckedFocused: return CheckBox(c, Look::Focused, Mark::Checked);
        case P::CheckBoxCheckedDisabled: return CheckBox(c, Look::Disabled, Mark::Checked);
        case P::CheckBoxMixedNormal: return CheckBox(c, Look::Normal, Mark::Mixed);
        case P::CheckBoxMixedOver: return CheckBox(c, Look::Over, Mark::Mixed);
        case P::CheckBoxMixedHeld: return CheckBox(c, Look::Held, Mark::Mixed);
        case P::CheckBoxMixedFocused: return CheckBox(c, Look::Focused, Mark::Mixed);
        case P::RadioNormal: return Radio(c, Look::Normal, false);
        case P::RadioOver: return Radio(c, Look::Over, false);
        case P::RadioHeld: return Radio(c, Look::Held, false);
        case P::RadioFocused: return Radio(c, Look::Focused, false);
        case P::RadioDisabled: return Radio(c, Look::Disabled, false);
        case P::RadioCheckedNormal: return Radio(c, Look::Normal, true);
        case P::RadioCheckedOver: return Radio(c, Look::Over, true);
        case P::RadioCheckedHeld: return Radio(c, Look::Held, true);
        case P::RadioCheckedFocused: return Radio(c, Look::Focused, true);
        case P::RadioCheckedDisabled: return Radio(c, Look::Disabled, true);
        case P::GroupBoxFrame: return GroupBoxFrame(c, true);
        case P::GroupBoxFrameDisabled: return GroupBoxFrame(c, false);
        case P::GroupBoxCaption:
        case P::GroupBoxCaptionDisabled: return;
        case P::ScrollUpNormal: return ScrollArrow(c, Direction::Up, Look::Normal);
        case P::ScrollUpOver: return ScrollArrow(c, Direction::Up, Look::Over);
        case P::ScrollUpHeld: return ScrollArrow(c, Direction::Up, Look::Held);
        case P::ScrollUpDisabled: return ScrollArrow(c, Direction::Up, Look::Disabled);
        case P::ScrollDownNormal: return ScrollArrow(c, Direction::Down, Look::Normal);
        case P::ScrollDownOver: return ScrollArrow(c, Direction::Down, Look::Over);
        case P::ScrollDownHeld: return ScrollArrow(c, Direction::Down, Look::Held);
        case P::ScrollDownDisabled: return ScrollArrow(c, Direction::Down, Look::Disabled);
        case P::ScrollLeftNormal: return ScrollArrow(c, Direction::Left, Look::Normal);
        case P::ScrollLeftOver: return ScrollArrow(c, Direction::Left, Look::Over);
        case P::ScrollLeftHeld: return ScrollArrow(c, Direction::Left, Look::Held);
        case P::ScrollLeftDisabled: return ScrollArrow(c, Direction::Left, Look::Disabled);
        case P::ScrollRightNormal: return ScrollArrow(c, Direction::Right, Look::Normal);
        case P::ScrollRightOver: return ScrollArrow(c, Direction::Right, Look::Over);
        case P::ScrollRightHeld: return ScrollArrow(c, Direction::Right, Look::Held);
        case P::ScrollRightDisabled: return ScrollArrow(c, Direction::Right, Look::Disabled);
        case P::ScrollTrackVertical: return ScrollTrack(c, true, true);
        case P::ScrollTrackVerticalDisabled: return ScrollTrack(c, true, false);
        case P::ScrollTrackHorizontal: return ScrollTrack(c, false, true);
        case P::ScrollTrackHorizontalDisabled: return ScrollTrack(c, false, false);
        case P::ScrollThumbVertical: return ScrollThumb(c, true, Look::Normal);
        case P::ScrollThumbVerticalOver: return ScrollThumb(c, true, Look::Over);
        case P::ScrollThumbVerticalHeld: return ScrollThumb(c, true, Look::Held);
        case P::ScrollThumbHorizontal: return ScrollThumb(c, false, Look::Normal);
        case P::ScrollThumbHorizontalOver: return ScrollThumb(c, false, Look::Over);
        case P::ScrollThumbHorizontalHeld: return ScrollThumb(c, false, Look::Held);
        case P::HeaderItem: return HeaderItem(c, Look::Normal);
        case P::HeaderItemOver: return HeaderItem(c, Look::Over);
        case P::HeaderItemHeld: return HeaderItem(c, Look::Held);
        case P::HeaderItemDisabled: return HeaderItem(c, Look::Disabled);
        case P::ProgressTrough: return ProgressTrough(c, true);
        case P::ProgressTroughDisabled: return ProgressTrough(c, false);
        case P::ProgressBar: return ProgressBar(c, true, false);
        case P::ProgressBarDisabled: return ProgressBar(c, false, false);
        case P::ProgressTroughVertical: return ProgressTrough(c, true);
        case P::ProgressTroughVerticalDisabled: return ProgressTrough(c, false);
        case P::ProgressBarVertical: return ProgressBar(c, true, true);
        case P::ProgressBarVerticalDisabled: return ProgressBar(c, false, true);
        case P::WindowBackground: return c.Clear(palette::Panel);
        default: return PaintControlPart(part, c);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: make-skin-atlas DESCRIPTION OUTPUT.bmp\n";
        return 2;
    }
    qivyun::skin::ColourNames colours;
    for (const NamedColour& named : PaletteNames)
        colours[std::string(named.name)] = qivyun::skin::ColourRef(named.colour.r, named.colour.g, named.colour.b);
    std::ifstream file(argv[1]);
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    qivyun::skin::SkinDescription description;
    try {
        description = qivyun::skin::ParseSkinDescription(text, colours);
    } catch (const qivyun::skin::SkinDescriptionError& error) {
        std::cerr << argv[1] << ": " << error.what() << "\n";
        return 1;
    }
    Image atlas(description.atlasWidth, description.atlasHeight);
    for (Rgba& p : atlas.pixels) p = Rgba{Magenta.r, Magenta.g, Magenta.b, 255};
    for (const qivyun::skin::SkinName& name : qivyun::skin::SkinPartNames) {
        const ImagePart& part = description.tables.parts[size_t(name.index)];
        if (part.width <= 0 || part.height <= 0) continue;
        PartCanvas canvas(atlas, part);
        PaintPart(SkinPart(name.index), canvas);
    }
    if (!WriteBmp24(argv[2], atlas)) {
        std::cerr << "cannot write " << argv[2] << "\n";
        return 1;
    }
    return 0;
}
