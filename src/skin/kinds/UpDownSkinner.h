#pragma once
// Up-down controls: two small buttons of the skin with their arrows, the one under the pointer lit
// and the one held pressed. The system's procedure keeps the presses, their repeats, the buddy's
// value and the notifications; the skinner only follows the pointer to draw.
#include "skin/engine/KindSkinner.h"

namespace qivyun::skin {

class UpDownSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc, const RECT& client);
    int ButtonAt(LPARAM clientPoint) const;
    void Show(int over, int held);

    int over_ = 0;  // the button under the pointer: 1 the first, 2 the second, 0 none
    int held_ = 0;  // the button pressed while the pointer is held
};

}  // namespace qivyun::skin
