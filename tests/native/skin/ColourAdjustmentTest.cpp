#include "skin/container/ColourAdjustment.h"

#include <gtest/gtest.h>

namespace qivyun::skin {
namespace {

TEST(ColourAdjustmentTest, TurnsHueAndScalesSaturationAndLightness) {
    struct Case {
        ColourAdjustment adjustment;
        uint32_t colour, expected;
    } cases[] = {
        {{0, 0, 0}, 0x00123456, 0x00123456},
        {{360, 0, 0}, 0x00123456, 0x00123456},
        {{120, 0, 0}, 0x000000ff, 0x0000ff00},   // red turns green
        {{240, 0, 0}, 0x000000ff, 0x00ff0000},   // and blue
        {{0, 1, 0}, 0x000000ff, 0x007f7f80},     // almost no saturation: grey
        {{0, 0, 256}, 0x00000080, 0x000101ff},   // twice as light
        {{0, 0, 64}, 0x00ffffff, 0x00808080},    // half as light
        {{90, 200, 0}, 0x00808080, 0x00808080},  // grey has no hue to turn
    };
    for (const Case& c : cases) {
        EXPECT_EQ(c.adjustment.Apply(c.colour), c.expected)
            << std::hex << c.colour << " by " << std::dec << c.adjustment.hue << "/" << c.adjustment.saturation << "/"
            << c.adjustment.lightness;
    }
}

}  // namespace
}  // namespace qivyun::skin
