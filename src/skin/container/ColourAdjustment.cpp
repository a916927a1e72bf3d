#include "skin/container/ColourAdjustment.h"

#include <algorithm>
#include <cmath>

namespace qivyun::skin {
namespace {

struct Hsl {
    double hue, saturation, lightness;  // degrees, 0-1, 0-1
};

Hsl ToHsl(double r, double g, double b) {
    double high = std::max({r, g, b}), low = std::min({r, g, b});
    double lightness = (high + low) / 2;
    double chroma = high - low;
    if (chroma == 0) return {0, 0, lightness};
    double saturation = chroma / (1 - std::abs(2 * lightness - 1));
    double hue = high == r ? std::fmod((g - b) / chroma, 6.0) : high == g ? (b - r) / chroma + 2 : (r - g) / chroma + 4;
    return {hue * 60, saturation, lightness};
}

uint32_t FromHsl(const Hsl& colour) {
    double chroma = (1 - std::abs(2 * colour.lightness - 1)) * colour.saturation;
    double sector = std::fmod(colour.hue / 60, 6.0);
    if (sector < 0) sector += 6;
    double x = chroma * (1 - std::abs(std::fmod(sector, 2.0) - 1));
    double r = 0, g = 0, b = 0;
    switch (static_cast<int>(sector)) {
    case 0: r = chroma, g = x; break;
    case 1: r = x, g = chroma; break;
    case 2: g = chroma, b = x; break;
    case 3: g = x, b = chroma; break;
    case 4: r = x, b = chroma; break;
    default: r = chroma, b = x; break;
    }
    double m = colour.lightness - chroma / 2;
    auto channel = [m](double value) { return static_cast<uint32_t>(std::lround(std::clamp(value + m, 0.0, 1.0) * 255)); };
    return channel(r) | channel(g) << 8 | channel(b) << 16;
}

}  // namespace

uint32_t ColourAdjustment::Apply(uint32_t colour) const {
    if (None()) return colour;
    Hsl hsl = ToHsl((colour & 0xff) / 255.0, (colour >> 8 & 0xff) / 255.0, (colour >> 16 & 0xff) / 255.0);
    hsl.hue += hue;
    if (saturation) hsl.saturation = std::min(1.0, hsl.saturation * saturation / 128);
    if (lightness) hsl.lightness = std::min(1.0, hsl.lightness * lightness / 128);
    return (colour & 0xff000000u) | FromHsl(hsl);
}

}  // namespace qivyun::skin
