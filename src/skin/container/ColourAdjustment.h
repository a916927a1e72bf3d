#pragma once
// The colour change a program may ask for when it loads a skin: the hue turned by some degrees,
// saturation and lightness scaled. Both programs ask for none (0, 0, 0).
#include <cstdint>

namespace qivyun::skin {

struct ColourAdjustment {
    int hue = 0;         // 0-360: degrees the hue turns by
    int saturation = 0;  // 0-256: saturation times value / 128; 0 leaves it
    int lightness = 0;   // 0-256: lightness times value / 128; 0 leaves it

    bool None() const { return hue % 360 == 0 && saturation == 0 && lightness == 0; }
    // A COLORREF (0x00BBGGRR) adjusted; the top byte stays.
    uint32_t Apply(uint32_t colour) const;
};

}  // namespace qivyun::skin
