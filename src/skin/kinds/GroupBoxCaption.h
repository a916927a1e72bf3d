#pragma once
// Where a group box puts its caption and how far its frame comes down from the top.
#include "skin/engine/SkinRect.h"

#include <cstdint>

namespace qivyun::skin {

struct GroupBoxCaptionLayout {
    SkinRect box;     // where the caption (and its background part) goes; empty without a caption
    SkinRect gap;     // what the frame leaves out for the caption
    int frameTop = 0; // the frame's top edge
};

// A text caption measured textWidth x textHeight in a group box `width` pixels wide. The caption
// box is the text's size, 8 larger each way when the skin draws a caption background; it sits 10
// pixels from the left edge, 10 from the right (BS_RIGHT) or in the middle (BS_CENTER). The frame's
// top runs through the middle of the box and leaves a gap 2 pixels wider than the box on either
// side. An empty text has no box and no gap, and the frame starts 3 pixels down.
GroupBoxCaptionLayout LayOutTextCaption(int width, bool hasText, int textWidth, int textHeight,
                                        bool captionBackground, uint32_t style);

// An icon or bitmap caption of its own size, placed the same way; the gap is the box itself.
GroupBoxCaptionLayout LayOutImageCaption(int width, int imageWidth, int imageHeight, uint32_t style);

}  // namespace qivyun::skin
