#pragma once
// Push buttons and default push buttons: the push-button part of the state over the whole button,
// the text (or image) inside, moved by the skin's pressed shift while the button is held.
#include "skin/kinds/ButtonSkinner.h"

namespace qivyun::skin {

class PushButtonSkinner : public ButtonSkinner {
public:
    using ButtonSkinner::ButtonSkinner;

protected:
    void PaintContent(HDC dc, const RECT& client, DWORD style, const SkinData& skin) override;
    SkinFontSlot FontSlot() const override { return SkinFontSlot::PushButtonFont; }
    SkinColour TextColour(bool enabled) const override {
        return enabled ? SkinColour::PushButtonText : SkinColour::PushButtonTextDisabled;
    }
    // The button's own pointer state and whether it has the keyboard focus.
    ButtonCondition Condition() const override;
};

}  // namespace qivyun::skin
