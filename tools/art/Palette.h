#pragma once
// The one palette and type style of both programs' art: the main program's pictures, the icons,
// the header band and the skin's atlas all take their colours and corner radii from here, so the
// product reads as one design.
#include <cstdint>

namespace qivyun::art {

struct Rgb {
    uint8_t r, g, b;
};

namespace palette {

// The header band and the tiles: a deep night blue that lightens to the brand blue.
inline constexpr Rgb NightBlue{18, 52, 120};
inline constexpr Rgb BrandBlue{58, 110, 196};
inline constexpr Rgb SkyBlue{120, 176, 240};
// Highlights that ask for an action (play, hover glow).
inline constexpr Rgb Accent{255, 152, 48};
// The window body behind the controls, its frame lines and the lighter face of controls.
inline constexpr Rgb Panel{234, 241, 250};
inline constexpr Rgb PanelLine{164, 188, 220};
inline constexpr Rgb ControlFace{248, 251, 255};
// Text on light faces, disabled text, text on blue.
inline constexpr Rgb Ink{34, 46, 68};
inline constexpr Rgb InkDisabled{160, 160, 160};
inline constexpr Rgb White{255, 255, 255};

}  // namespace palette

// Corner radii in pixels: the large picture tiles, and every smaller button, box and frame.
inline constexpr int TileCornerRadius = 12;
inline constexpr int ControlCornerRadius = 4;

// Labels in the pictures: this face, bold, anti-aliased (Debian's fonts-wqy-microhei: at 13 pixels its
// small Latin letters stay distinct, the "i" of "QiV" keeps its dot).
inline constexpr char LabelFontFile[] = "/usr/share/fonts/truetype/wqy/wqy-microhei.ttc";

}  // namespace qivyun::art

// ---- Skin additions: the states of skinned controls that the colours above do not cover.
namespace qivyun::art::palette {

// The inner ring of a focused box and the face under the pointer.
inline constexpr Rgb FocusGlow{201, 223, 249};
// Frames, borders and glyphs of disabled controls.
inline constexpr Rgb LineDisabled{200, 210, 224};
// A face held down.
inline constexpr Rgb FacePressed{212, 225, 243};
// Scroll-bar tracks.
inline constexpr Rgb Track{240, 244, 250};
// The title bar of an inactive window and its text.
inline constexpr Rgb TitleInactive{112, 136, 174};
inline constexpr Rgb TitleTextDimmed{222, 230, 242};
// The close button under the pointer.
inline constexpr Rgb CloseRed{214, 62, 54};

}  // namespace qivyun::art::palette
