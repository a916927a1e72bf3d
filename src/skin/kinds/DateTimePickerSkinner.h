#pragma once
// Date-time pickers: the control draws its fields into a picture of the skinner's, over which the
// drop-down button is drawn from the skin (lit under the pointer, held while pressed or while the
// calendar is down, disabled with the control); the frame is the skin's border. The calendar it
// drops down is a month calendar and has that kind's look. A picker with the up-down style keeps
// its fields and arrows as the system draws them.
#include "skin/engine/KindSkinner.h"
#include "skin/engine/PointerOver.h"

namespace qivyun::skin {

class DateTimePickerSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool HasDropButton() const;
    RECT DropButton() const;
    // The client area into the composed picture.
    void Paint(HDC buffer, const RECT& client);
    void PaintBorder() const;
    void RedrawButton() const;

    PointerOver<bool> overButton_{false};
    bool held_ = false;
};

}  // namespace qivyun::skin
