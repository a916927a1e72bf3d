#pragma once
// The palette's colours by name, for texts that name them (the skin's description).
#include "Palette.h"

#include <string_view>

namespace qivyun::art {

struct NamedColour {
    std::string_view name;
    Rgb colour;
};

inline constexpr NamedColour PaletteNames[] = {
    {"NightBlue", palette::NightBlue},   {"BrandBlue", palette::BrandBlue}, {"SkyBlue", palette::SkyBlue},
    {"Accent", palette::Accent},         {"Panel", palette::Panel},         {"PanelLine", palette::PanelLine},
    {"ControlFace", palette::ControlFace}, {"Ink", palette::Ink},           {"InkDisabled", palette::InkDisabled},
    {"White", palette::White},
    {"FocusGlow", palette::FocusGlow},   {"LineDisabled", palette::LineDisabled},
    {"FacePressed", palette::FacePressed}, {"Track", palette::Track},
    {"TitleInactive", palette::TitleInactive}, {"TitleTextDimmed", palette::TitleTextDimmed},
    {"CloseRed", palette::CloseRed},
    // The skin's transparent colour: pixels of this colour are not drawn.
    {"Magenta", Rgb{255, 0, 255}},
};

}  // namespace qivyun::art
