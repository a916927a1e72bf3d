#pragma once
// How a toolbar button looks and where its picture, text and drop-down arrow go.
#include "skin/container/SkinParts.h"
#include "skin/engine/SkinRect.h"

#include <optional>

namespace qivyun::skin {

struct ToolButtonState {
    bool enabled = true, checked = false, pressed = false, hot = false;
};

// The face drawn under the button; nothing for an idle button, which lies on the band.
std::optional<SkinPart> ToolButtonFace(ToolButtonState state);

struct ToolButtonPlaces {
    SkinRect image, text, arrow;
};

struct ToolButtonContent {
    int imageWidth = 0, imageHeight = 0;  // 0: no picture
    bool hasText = false;
    bool textBesideImage = false;  // the list style: the text right of the picture
    int paddingX = 0, paddingY = 0;  // the toolbar's padding, around picture and text
    int arrowWidth = 0;  // the drop-down arrow's section at the right end; 0 for none
};

// Without the list style the picture is centred across the button, half the padding below its top
// (in the middle when there is no text), and the text fills what lies below it; with it the picture
// sits half the padding in from the left, in the middle of the height, and the text runs from 2
// pixels past it to the right end. The arrow's section is taken from the right end first.
ToolButtonPlaces PlaceToolButton(SkinRect button, const ToolButtonContent& content);

}  // namespace qivyun::skin
