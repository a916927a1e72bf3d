// Small Chinese text is drawn whole where the programs run: the dialogs' 9-point 宋体 and the system
// fonts that the skin falls back on keep every stroke. Drawn in black and white from outlines without
// hinting, thin strokes fall between pixels and vanish.
#include "framework/Handles.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace qivyun {
namespace {

struct InkOfYin {
    int inkHeight = 0;
    int longestRightRun = 0;
};

// 引 drawn black on white: the height of its ink and the longest vertical run of ink in the right
// quarter. Its last stroke is a line as tall as the character; without it 引 is drawn as 弓, whose
// right edge breaks in the middle.
InkOfYin DrawYin(const LOGFONTA& logFont) {
    constexpr int size = 48;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), size, -size, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    uint32_t* bits = nullptr;
    UniqueGdiObject<HBITMAP> bitmap(
        CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits), nullptr, 0));
    UniqueGdiObject<HFONT> font(CreateFontIndirectA(&logFont));
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap.Get());
    HGDIOBJ oldFont = SelectObject(dc, font.Get());
    RECT all{0, 0, size, size};
    FillRect(dc, &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    SetTextColor(dc, RGB(0, 0, 0));
    SetBkMode(dc, TRANSPARENT);
    TextOutW(dc, 8, 8, L"\x5F15", 1);
    GdiFlush();
    SelectObject(dc, oldFont);
    SelectObject(dc, oldBitmap);
    DeleteDC(dc);

    // Ink: at least a third covered, so grey edges of smoothed strokes count too.
    auto inked = [&](int x, int y) { return (bits[y * size + x] & 0xFF) < 170; };
    int left = size, right = -1, top = size, bottom = -1;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x)
            if (inked(x, y)) {
                left = std::min(left, x), right = std::max(right, x);
                top = std::min(top, y), bottom = std::max(bottom, y);
            }
    InkOfYin ink;
    if (right < 0) return ink;
    ink.inkHeight = bottom - top + 1;
    for (int x = right - (right - left + 1) / 4; x <= right; ++x)
        for (int y = top, run = 0; y <= bottom; ++y) {
            run = inked(x, y) ? run + 1 : 0;
            ink.longestRightRun = std::max(ink.longestRightRun, run);
        }
    return ink;
}

TEST(ChineseText, NinePointFontsKeepTheLongStrokeOfYin) {
    HDC screen = GetDC(nullptr);
    LOGFONTA dialogFont{};
    dialogFont.lfHeight = -MulDiv(9, GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    dialogFont.lfWeight = FW_NORMAL;
    dialogFont.lfCharSet = DEFAULT_CHARSET;
    lstrcpyA(dialogFont.lfFaceName, "宋体");
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
    LOGFONTA iconTitleFont{};
    ASSERT_TRUE(SystemParametersInfoA(SPI_GETICONTITLELOGFONT, sizeof iconTitleFont, &iconTitleFont, 0));

    const std::vector<std::pair<std::string, LOGFONTA>> fonts{
        {"9-point dialog font", dialogFont},
        {"message font", metrics.lfMessageFont},
        {"icon-title font", iconTitleFont},
    };
    for (const auto& [name, font] : fonts) {
        SCOPED_TRACE(name);
        const InkOfYin ink = DrawYin(font);
        ASSERT_GE(ink.inkHeight, 8);
        EXPECT_GE(ink.longestRightRun * 4, ink.inkHeight * 3)
            << "the right-hand stroke spans " << ink.longestRightRun << " of " << ink.inkHeight << " pixels";
    }
}

}  // namespace
}  // namespace qivyun
