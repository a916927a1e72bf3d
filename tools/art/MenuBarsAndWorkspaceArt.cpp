#include "MenuBarsAndWorkspaceArt.h"

namespace qivyun::art::atlas {
namespace {

using qivyun::skin::SkinPart;

// ---- menu bars: a light band under the title bar with a line below; items lit like the pop-up
// menu's highlighted item when hot, sunk in the brand's blue while their drop-down is open

Shade MenuBarBand(double height) {
    return Vertical(Mix(palette::ControlFace, palette::White, 0.5), Mix(palette::Panel, palette::ControlFace, 0.4), 0, height);
}

void MenuBarBackground(PartCanvas& c) {
    const double w = c.Width(), h = c.Height();
    c.Paint(RoundedBox(0, 0, w, h, 0), MenuBarBand(h));
    c.Paint(RoundedBox(0, h - 1, w, h, 0), Solid(palette::PanelLine));
}

void MenuBarItem(PartCanvas& c, bool open) {
    const double w = c.Width(), h = c.Height(), r = ControlCornerRadius;
    c.Ground(MenuBarBand(h));
    const Rgb border = open ? palette::BrandBlue : Mix(palette::SkyBlue, palette::FocusGlow, 0.35);
    const Shade face = open ? Vertical(palette::FacePressed, Mix(palette::FacePressed, palette::White, 0.4), 2, h - 3)
                            : Vertical(Mix(palette::FocusGlow, palette::White, 0.45), palette::FocusGlow, 2, h - 3);
    c.Paint(RoundedBox(1, 2, w - 1, h - 2, r), Solid(border));
    c.Paint(RoundedBox(2, 3, w - 2, h - 3, r - 1), face);
}

// ---- the workspace: a quiet blue-grey a shade deeper than panels, so child windows stand out

void WorkspaceBackground(PartCanvas& c) { c.Clear(Mix(palette::Panel, palette::PanelLine, 0.45)); }

}  // namespace

bool PaintMenuBarOrWorkspacePart(SkinPart part, PartCanvas& c) {
    switch (part) {
    case SkinPart::MenuBarBackground: MenuBarBackground(c); return true;
    case SkinPart::MenuBarItemHot: MenuBarItem(c, false); return true;
    case SkinPart::MenuBarItemOpen: MenuBarItem(c, true); return true;
    case SkinPart::WorkspaceBackground: WorkspaceBackground(c); return true;
    default: return false;
    }
}

}  // namespace qivyun::art::atlas
