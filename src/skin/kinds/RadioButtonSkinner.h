#pragma once
// Radio buttons: drawn as check boxes are, with the radio parts, font slot and colours.
#include "skin/kinds/CheckBoxSkinner.h"

namespace qivyun::skin {

class RadioButtonSkinner : public CheckBoxSkinner {
public:
    using CheckBoxSkinner::CheckBoxSkinner;

protected:
    SkinFontSlot FontSlot() const override { return SkinFontSlot::RadioFont; }
    SkinColour TextColour(bool enabled) const override {
        return enabled ? SkinColour::RadioText : SkinColour::RadioTextDisabled;
    }
    SkinPart BoxPart(const ButtonCondition& condition) const override { return RadioPart(condition); }
};

}  // namespace qivyun::skin
