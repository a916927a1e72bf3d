#include "skin/kinds/CheckBoxSkinner.h"

#include "skin/engine/SkinnerDrawing.h"

namespace qivyun::skin {

ButtonCondition CheckBoxSkinner::Condition() const {
    // Asked of the control's own procedure: the message would take the same way, past the thread's hooks.
    const auto state = static_cast<UINT>(CallPrevious(BM_GETSTATE, 0, 0));
    const CheckMark mark = (state & BST_INDETERMINATE) ? CheckMark::Indeterminate
                           : (state & BST_CHECKED)     ? CheckMark::Checked
                                                       : CheckMark::Unchecked;
    return {IsWindowEnabled(window) != FALSE, mouseState, (state & BST_FOCUS) != 0, mark};
}

void CheckBoxSkinner::PaintContent(HDC dc, const RECT& client, DWORD style, const SkinData& skin) {
    const ButtonCondition condition = Condition();
    const bool pushLike = (style & BS_PUSHLIKE) != 0;
    const SkinPart part = pushLike ? PushLikePart(condition) : BoxPart(condition);
    const ImagePart& box = skin.Part(part);
    const CheckBoxLayout layout = LayOutCheckBox(ToSkinRect(client), box.width, box.height, style);
    DrawSkinPart(dc, ToRect(layout.box), part, skin);
    if (style & (BS_ICON | BS_BITMAP)) {
        PaintImage(dc, ToRect(layout.text), (style & BS_ICON) != 0);
        return;
    }
    PaintText(dc, ToRect(layout.text), CheckBoxTextPlacement(style),
              SkinTextColour(window, TextColour(condition.enabled), skin));
}

}  // namespace qivyun::skin
