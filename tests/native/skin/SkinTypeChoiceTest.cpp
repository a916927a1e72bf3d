#include "skin/engine/SkinTypeChoice.h"

#include <gtest/gtest.h>

namespace qivyun::skin {
namespace {

constexpr uint32_t Caption = 0x00C00000;
constexpr uint32_t Border = 0x00800000;  // one of the two caption bits

TEST(SkinTypeChoiceTest, ClassesMapInTheirOrderAndButtonsByTheirStyle) {
    struct Case {
        const char* className;
        uint32_t style;
        SkinType type;
    } cases[] = {
        {"#32770", 0, 1034},
        {"#32768", 0, 1016},
        {"Edit", 0, 1007},
        {"RICHEDIT", 0, 1023},
        {"ListBox", 0, 1013},
        {"SysListView32", 0, 1014},
        {"SysTreeView32", 0, 1032},
        {"ComboLBox", 0, 1004},
        {"ComboLBox ", 0, 0},  // the engine's own drop-down class
        {"ComboBox", 0, 1003},
        {"SysHeader32", 0, 1009},
        {"msctls_progress32", 0, 1019},
        {"ScrollBar", 0, 1024},
        {"SysAnimate32", 0, 1001},
        {"msctls_hotkey32", 0, 1010},
        {"SysIPAddress32", 0, 1011},
        {"TravelBand", 0, 1033},
        {"MyAfxControlBar42", 0, 1005},
        {"xReBarWindow32", 0, 1022},
        {"AfxFrameOrView42s", 0, 1015},
        {"MDIClient", 0, 1015},
        // A control-bar class that also names a frame: the earlier rule wins.
        {"AfxControlBarAfxFrameOrView", 0, 1005},
        // Case matters.
        {"edit", 0, 0},
        {"BUTTON", 0, 0},
        // Unlisted classes only with both caption bits.
        {"Static", 0, 0},
        {"Static", Border, 0},
        {"Static", Caption, 1034},
        {"Afx:400000:8", Caption, 1035},
        {"Afx:400000:8", 0, 0},
        // Button styles, low four bits.
        {"Button", 0x0, 1020},
        {"Button", 0x1, 1020},
        {"Button", 0x2, 1002},
        {"Button", 0x3, 1002},
        {"Button", 0x4, 1021},
        {"Button", 0x5, 1002},
        {"Button", 0x6, 1002},
        {"Button", 0x7, 1008},
        {"Button", 0x8, 0},
        {"Button", 0x9, 1021},
        {"Button", 0xa, 0},
        {"Button", 0xb, 1036},
        {"Button", 0xc, 0},
        {"Button", 0xf, 0},
        {"Button", 0x50010000 | Caption, 1020},  // other style bits play no part
    };
    for (const Case& c : cases) {
        EXPECT_EQ(SkinTypeForClass(c.className, c.style), c.type) << c.className << " " << std::hex << c.style;
    }
}

TEST(SkinTypeChoiceTest, PartsOfGbkNamesAreFoundAtCharacterStartsOnly) {
    // 0xC1 0x41 is one character whose second byte is "A".
    EXPECT_FALSE(ContainsText("\xC1" "Afx:1", "Afx:"));
    EXPECT_TRUE(ContainsText("\xC1\x41" "Afx:1", "Afx:"));
    EXPECT_TRUE(ContainsText("\xD6\xD0" "MDIClient", "MDIClient"));
    EXPECT_FALSE(ContainsText("MDIClien", "MDIClient"));
}

}  // namespace
}  // namespace qivyun::skin
