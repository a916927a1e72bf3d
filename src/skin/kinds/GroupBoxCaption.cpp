#include "skin/kinds/GroupBoxCaption.h"

#include "skin/kinds/ButtonLooks.h"

namespace qivyun::skin {
namespace {

constexpr int CaptionIndent = 10;

int CaptionOffset(int width, int boxWidth, uint32_t style) {
    switch (style & buttonstyle::HorizontalMask) {
    case buttonstyle::Centre:
        return (width - boxWidth) / 2;
    case buttonstyle::Right:
        return width - boxWidth - CaptionIndent;
    default:
        return CaptionIndent;
    }
}

SkinRect PlacedBox(int width, int boxWidth, int boxHeight, uint32_t style) {
    const int left = CaptionOffset(width, boxWidth, style);
    return {left, 0, left + boxWidth, boxHeight};
}

}  // namespace

GroupBoxCaptionLayout LayOutTextCaption(int width, bool hasText, int textWidth, int textHeight,
                                        bool captionBackground, uint32_t style) {
    if (!hasText) return {{}, {}, 3};
    const int grow = captionBackground ? 8 : 0;
    const SkinRect box = PlacedBox(width, textWidth + grow, textHeight + grow, style);
    return {box, {box.left - 2, box.top, box.right + 2, box.bottom}, box.Height() / 2};
}

GroupBoxCaptionLayout LayOutImageCaption(int width, int imageWidth, int imageHeight, uint32_t style) {
    const SkinRect box = PlacedBox(width, imageWidth, imageHeight, style);
    return {box, box, box.Height() / 2};
}

}  // namespace qivyun::skin
