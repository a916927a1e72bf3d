// Small Chinese text where the programs run: the dialogs' 9-point 宋体 and the system fonts that the
// skin falls back on keep every stroke, and are drawn as wide as they are measured.
#include "../support/DibCanvas.h"
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qivyun {
namespace {

// One line of text drawn black on white with TextOut, as the controls draw it.
class DrawnText {
public:
    DrawnText(const LOGFONTW& logFont, const wchar_t* text) {
        UniqueGdiObject<HFONT> font(CreateFontIndirectW(&logFont));
        const HDC dc = canvas_.Dc();
        HGDIOBJ oldFont = SelectObject(dc, font.Get());
        SetTextColor(dc, RGB(0, 0, 0));
        SetBkMode(dc, TRANSPARENT);
        const int length = lstrlenW(text);
        TextOutW(dc, origin, origin, text, length);
        SIZE extent{};
        GetTextExtentPoint32W(dc, text, length, &extent);
        measuredRight = origin + extent.cx;
        SelectObject(dc, oldFont);
        for (int y = 0; y < size; ++y)
            for (int x = 0; x < size; ++x)
                if (Inked(x, y)) {
                    left = std::min(left, x), right = std::max(right, x);
                    top = std::min(top, y), bottom = std::max(bottom, y);
                }
    }

    // At least a third covered, so the grey edges of smoothed strokes count too.
    bool Inked(int x, int y) const { return (canvas_.Pixels()[y * size + x] & 0xFF) < 170; }

    static constexpr int size = 256;
    static constexpr int origin = 8;
    int left = size, right = -1, top = size, bottom = -1;  // the ink's bounds
    int measuredRight = 0;                                  // where GetTextExtentPoint32 says the text ends

private:
    test::DibCanvas canvas_{size, size, RGB(255, 255, 255)};
};

// The fonts of the programs' small text: 宋体 at 9 points as a dialog template asks for it (by its
// name in UTF-16, so that the same face comes on every system code page), and the system's message
// and icon-title fonts.
std::vector<std::pair<std::string, LOGFONTW>> SmallTextFonts() {
    HDC screen = GetDC(nullptr);
    LOGFONTW dialogFont{};
    dialogFont.lfHeight = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    dialogFont.lfWeight = FW_NORMAL;
    dialogFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpyW(dialogFont.lfFaceName, L"宋体");
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    LOGFONTW iconTitleFont{};
    SystemParametersInfoW(SPI_GETICONTITLELOGFONT, sizeof iconTitleFont, &iconTitleFont, 0);
    return {{"9-point dialog font", dialogFont},
            {"message font", metrics.lfMessageFont},
            {"icon-title font", iconTitleFont}};
}

TEST(ChineseText, SmallFontsKeepTheLongStrokeOfYin) {
    // The last stroke of 引 is a line as tall as the character. Drawn in black and white from
    // unhinted outlines it falls between pixels and 引 is left as 弓, whose right edge breaks in the
    // middle; so the longest vertical run of ink in the right quarter must span most of the height.
    for (const auto& [name, font] : SmallTextFonts()) {
        SCOPED_TRACE(name);
        const DrawnText yin(font, L"\x5F15");
        const int height = yin.bottom - yin.top + 1;
        ASSERT_GE(height, 8);
        int longestRun = 0;
        for (int x = yin.right - (yin.right - yin.left + 1) / 4; x <= yin.right; ++x)
            for (int y = yin.top, run = 0; y <= yin.bottom; ++y) {
                run = yin.Inked(x, y) ? run + 1 : 0;
                longestRun = std::max(longestRun, run);
            }
        EXPECT_GE(longestRun * 4, height * 3) << "the right-hand stroke spans " << longestRun << " of " << height << " pixels";
    }
}

TEST(ChineseText, SmallFontsDrawTextAsWideAsTheyMeasureIt) {
    // Controls place ellipses, centre labels and clip by the measured width: a face whose drawn
    // advances differ from its measured ones loses the ellipsis or overruns its control.
    for (const auto& [name, font] : SmallTextFonts()) {
        SCOPED_TRACE(name);
        const DrawnText label(font, L"BT DHCT \x641C\x7D22\x5F15\x64CE(\x5907\x7528) Title.2023 [TT]");
        ASSERT_GE(label.right, 0);
        EXPECT_LE(label.right, label.measuredRight + 1);
        EXPECT_GE(label.right, label.measuredRight - 4);
    }
}

}  // namespace
}  // namespace qivyun
