#pragma once
// How the button kinds look in each state: the image part of a push button, check box or radio
// button, where a check box puts its box and its text, and where a button's text sits by its style.
#include "skin/container/SkinParts.h"
#include "skin/engine/SkinRect.h"

#include <cstdint>

namespace qivyun::skin {

// The system's button style bits (BS_...), which the Windows side checks against its headers.
namespace buttonstyle {
inline constexpr uint32_t TypeMask = 0x000F;
inline constexpr uint32_t OwnerDraw = 0x000B;
inline constexpr uint32_t RightButton = 0x0020;
inline constexpr uint32_t Icon = 0x0040;
inline constexpr uint32_t Bitmap = 0x0080;
inline constexpr uint32_t HorizontalMask = 0x0300;  // left 0x100, right 0x200, both: centre
inline constexpr uint32_t Left = 0x0100;
inline constexpr uint32_t Right = 0x0200;
inline constexpr uint32_t Centre = 0x0300;
inline constexpr uint32_t VerticalMask = 0x0C00;  // top 0x400, bottom 0x800, both: centre
inline constexpr uint32_t Top = 0x0400;
inline constexpr uint32_t Bottom = 0x0800;
inline constexpr uint32_t PushLike = 0x1000;
inline constexpr uint32_t Multiline = 0x2000;
}  // namespace buttonstyle

enum class CheckMark { Unchecked, Checked, Indeterminate };

// What a button's look depends on. mouseState: 0 idle, 1 the pointer is over it, 2 the left button
// is held on it.
struct ButtonCondition {
    bool enabled = true;
    int mouseState = 0;
    bool focused = false;
    CheckMark mark = CheckMark::Unchecked;
};

// Disabled, else over or held by the pointer, else focused or normal.
SkinPart PushButtonPart(const ButtonCondition& condition);
// The same states in the column of the mark; a disabled indeterminate box looks unchecked.
SkinPart CheckBoxPart(const ButtonCondition& condition);
// Radio buttons have no indeterminate look: it shows as checked.
SkinPart RadioPart(const ButtonCondition& condition);
// A push-like check box or radio button: disabled, else held while checked, else normal.
SkinPart PushLikePart(const ButtonCondition& condition);

// Where a text sits along one direction of its rectangle.
enum class Place { Start, Centre, End };

struct TextPlacement {
    Place horizontal = Place::Centre;
    Place vertical = Place::Centre;
    bool multiline = false;
};

// A push button centres its text unless the style says left or right.
TextPlacement PushButtonTextPlacement(uint32_t style);
// A check box or radio button starts its text at the left unless the style says right or centre;
// a push-like one centres it.
TextPlacement CheckBoxTextPlacement(uint32_t style);

struct CheckBoxLayout {
    SkinRect box;
    SkinRect text;
};

// The box of a check box or radio button (the size of its part) and its text rectangle: both
// inside the client rectangle shrunk by 1, the box at the left edge (the right one with
// BS_RIGHTBUTTON) with the text 2 pixels away from it, vertically at the style's place. A push-like
// button is all box, and its text spans the box.
CheckBoxLayout LayOutCheckBox(const SkinRect& client, int boxWidth, int boxHeight, uint32_t style);

}  // namespace qivyun::skin
