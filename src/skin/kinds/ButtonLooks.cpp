#include "skin/kinds/ButtonLooks.h"

namespace qivyun::skin {
namespace {

// One column of looks: normal, over, held, focused, disabled.
struct LookColumn {
    SkinPart normal, over, held, focused, disabled;
};

SkinPart PartOfColumn(const LookColumn& column, const ButtonCondition& condition) {
    if (!condition.enabled) return column.disabled;
    if (condition.mouseState == 1) return column.over;
    if (condition.mouseState == 2) return column.held;
    return condition.focused ? column.focused : column.normal;
}

Place PlaceAlong(uint32_t bits, uint32_t start, uint32_t end, Place otherwise) {
    if (bits == start) return Place::Start;
    if (bits == end) return Place::End;
    return otherwise;
}

}  // namespace

SkinPart PushButtonPart(const ButtonCondition& condition) {
    using enum SkinPart;
    return PartOfColumn({PushButtonNormal, PushButtonOver, PushButtonHeld, PushButtonFocused, PushButtonDisabled},
                        condition);
}

SkinPart CheckBoxPart(const ButtonCondition& condition) {
    using enum SkinPart;
    switch (condition.mark) {
    case CheckMark::Checked:
        return PartOfColumn({CheckBoxCheckedNormal, CheckBoxCheckedOver, CheckBoxCheckedHeld, CheckBoxCheckedFocused,
                             CheckBoxCheckedDisabled},
                            condition);
    case CheckMark::Indeterminate:
        return PartOfColumn(
            {CheckBoxMixedNormal, CheckBoxMixedOver, CheckBoxMixedHeld, CheckBoxMixedFocused, CheckBoxDisabled},
            condition);
    case CheckMark::Unchecked:
        break;
    }
    return PartOfColumn({CheckBoxNormal, CheckBoxOver, CheckBoxHeld, CheckBoxFocused, CheckBoxDisabled}, condition);
}

SkinPart RadioPart(const ButtonCondition& condition) {
    using enum SkinPart;
    if (condition.mark == CheckMark::Unchecked)
        return PartOfColumn({RadioNormal, RadioOver, RadioHeld, RadioFocused, RadioDisabled}, condition);
    return PartOfColumn(
        {RadioCheckedNormal, RadioCheckedOver, RadioCheckedHeld, RadioCheckedFocused, RadioCheckedDisabled}, condition);
}

SkinPart PushLikePart(const ButtonCondition& condition) {
    if (!condition.enabled) return SkinPart::PushButtonDisabled;
    return condition.mark == CheckMark::Checked ? SkinPart::PushButtonHeld : SkinPart::PushButtonNormal;
}

TextPlacement PushButtonTextPlacement(uint32_t style) {
    using namespace buttonstyle;
    return {PlaceAlong(style & HorizontalMask, Left, Right, Place::Centre),
            PlaceAlong(style & VerticalMask, Top, Bottom, Place::Centre), (style & Multiline) != 0};
}

TextPlacement CheckBoxTextPlacement(uint32_t style) {
    using namespace buttonstyle;
    Place horizontal = Place::Start;
    if ((style & HorizontalMask) == Right) horizontal = Place::End;
    if ((style & HorizontalMask) == Centre || (style & PushLike)) horizontal = Place::Centre;
    return {horizontal, PlaceAlong(style & VerticalMask, Top, Bottom, Place::Centre), (style & Multiline) != 0};
}

CheckBoxLayout LayOutCheckBox(const SkinRect& client, int boxWidth, int boxHeight, uint32_t style) {
    using namespace buttonstyle;
    const SkinRect inner{client.left + 1, client.top + 1, client.right - 1, client.bottom - 1};
    if (style & PushLike) return {inner, inner};

    CheckBoxLayout layout{inner, inner};
    if (style & RightButton) {
        layout.box.left = inner.right - boxWidth;
        layout.text.right = layout.box.left - 2;
    } else {
        layout.box.right = inner.left + boxWidth;
        layout.text.left = layout.box.right + 2;
    }
    switch (PlaceAlong(style & VerticalMask, Top, Bottom, Place::Centre)) {
    case Place::Start:
        layout.box.top = inner.top;
        break;
    case Place::End:
        layout.box.top = inner.bottom - boxHeight;
        break;
    case Place::Centre:
        layout.box.top = inner.top + (inner.Height() - boxHeight) / 2;
        break;
    }
    layout.box.bottom = layout.box.top + boxHeight;
    return layout;
}

}  // namespace qivyun::skin
