#pragma once
// Combo boxes: the field's frame in the skin's border colours (focused while the box or its edit
// field has the keyboard focus) and the drop button as a small button of the skin with its arrow,
// held while the list is open. The system still draws the selected item of a drop-down list (its
// own or the owner's drawing) into the composed picture, and keeps the edit field, the list, the
// keyboard, the selection and the notifications. Its parts, the edit field and the list, carry
// "ZOR_F" pointing back to this skinner; the list itself is drawn by the scrollable kind.
#include "skin/engine/KindSkinner.h"
#include "skin/engine/PointerOver.h"

namespace qivyun::skin {

class ComboBoxSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;
    ~ComboBoxSkinner() override;
    void OnAttach() override { MarkParts(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    COMBOBOXINFO Info() const;
    void MarkParts();
    // The composed picture onto a paint DC or a DC given, around the edit field.
    void PaintInto(HDC target);
    void Paint(HDC dc, const RECT& client);
    bool PointerOnButton(LPARAM clientPoint) const;
    void Redraw() const { InvalidateRect(window, nullptr, FALSE); }

    HWND parts_[2] = {};
    PointerOver<bool> overButton_{false};
};

}  // namespace qivyun::skin
