#include "skin/kinds/ToolButtonLayout.h"

namespace qivyun::skin {

std::optional<SkinPart> ToolButtonFace(ToolButtonState state) {
    using enum SkinPart;
    if (!state.enabled) return state.checked ? std::optional(ToolButtonChecked) : std::nullopt;
    if (state.pressed) return ToolButtonHeld;
    if (state.checked) return state.hot ? ToolButtonCheckedOver : ToolButtonChecked;
    if (state.hot) return ToolButtonOver;
    return std::nullopt;
}

ToolButtonPlaces PlaceToolButton(SkinRect button, const ToolButtonContent& content) {
    ToolButtonPlaces places;
    SkinRect body = button;
    if (content.arrowWidth > 0) {
        body.right -= content.arrowWidth;
        places.arrow = SkinRect{body.right, button.top, button.right, button.bottom};
    }
    const int w = content.imageWidth, h = content.imageHeight;
    if (content.textBesideImage) {
        int textLeft = body.left + content.paddingX / 2;
        if (w > 0 && h > 0) {
            const int top = body.top + (body.Height() - h) / 2;
            places.image = SkinRect{textLeft, top, textLeft + w, top + h};
            textLeft = places.image.right + 2;
        }
        if (content.hasText) places.text = SkinRect{textLeft, body.top, body.right, body.bottom};
        return places;
    }
    int textTop = body.top;
    if (w > 0 && h > 0) {
        const int left = body.left + (body.Width() - w) / 2;
        const int top = content.hasText ? body.top + content.paddingY / 2 : body.top + (body.Height() - h) / 2;
        places.image = SkinRect{left, top, left + w, top + h};
        textTop = places.image.bottom + 1;
    }
    if (content.hasText) places.text = SkinRect{body.left, textTop, body.right, body.bottom};
    return places;
}

}  // namespace qivyun::skin
