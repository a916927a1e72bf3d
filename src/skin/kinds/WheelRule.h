#pragma once
// What a skinned scrollable control does with a turn of the mouse wheel. On systems of major
// version 5, and for a control whose parent's class atom is 0xC01C, the control handles the wheel
// itself; everywhere else each wheel message scrolls one line: up for a turn away from the user,
// down otherwise.
#include <optional>

namespace qivyun::skin {

inline constexpr unsigned WheelPassOnParentAtom = 0xC01C;

// The vertical scroll code to send (0 line up, 1 line down), or nothing to pass the message on.
constexpr std::optional<int> WheelScrollCode(int systemMajorVersion, unsigned parentClassAtom, int delta) {
    if (systemMajorVersion == 5 || parentClassAtom == WheelPassOnParentAtom) return std::nullopt;
    return delta > 0 ? 0 : 1;
}

}  // namespace qivyun::skin
