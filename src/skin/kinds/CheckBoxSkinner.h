#pragma once
// Check boxes (two- and three-state): the box part of the state beside the text, or a push-button
// part over the whole button when it is push-like. The state comes from the control (BM_GETSTATE).
#include "skin/kinds/ButtonSkinner.h"

namespace qivyun::skin {

class CheckBoxSkinner : public ButtonSkinner {
public:
    using ButtonSkinner::ButtonSkinner;

protected:
    void PaintContent(HDC dc, const RECT& client, DWORD style, const SkinData& skin) override;
    SkinFontSlot FontSlot() const override { return SkinFontSlot::CheckBoxFont; }
    SkinColour TextColour(bool enabled) const override {
        return enabled ? SkinColour::CheckBoxText : SkinColour::CheckBoxTextDisabled;
    }
    ButtonCondition Condition() const override;
    // The box's part of the state.
    virtual SkinPart BoxPart(const ButtonCondition& condition) const { return CheckBoxPart(condition); }
};

}  // namespace qivyun::skin
