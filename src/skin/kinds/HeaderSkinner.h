#pragma once
// Column headers: the whole control painted from the skin's header parts, the column under the
// pointer lit (by its display position, so a reordered header lights the column under the
// pointer), pressed while the left button is held. The control keeps its items, order, widths and
// notifications.
#include "skin/engine/KindSkinner.h"

namespace qivyun::skin {

class HeaderSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The display position of the column under the pointer, or -1.
    int ColumnAtPointer() const;
    void DrawHeader();

    int hotColumn = -1;  // display position (not item index) of the column under the pointer
    int mouseState = 0;  // 0 idle, 1 the pointer is over a column, 2 the left button is held
    bool painting_ = false;  // inside WM_PAINT, which draws the whole header after the erase
};

}  // namespace qivyun::skin
