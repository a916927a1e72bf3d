#pragma once
// Scroll-bar controls: the bar drawn with the scrollable kind's parts and layout over the whole
// client area, and worked by the skinner as the system's bar is: arrow and track presses send the
// parent their scroll codes with the control's handle and repeat while held, the thumb drag sends
// its tracked positions (which the control's scroll information reports meanwhile), then the
// thumb position and end-scroll. The control keeps its range and position; the keyboard stays its
// own. Size boxes keep the system's look.
#include "skin/engine/KindSkinner.h"
#include "skin/kinds/ScrollBarLayout.h"
#include "skin/kinds/ThumbDrag.h"

#include <optional>

namespace qivyun::skin {

class ScrollBarSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;
    void OnTimer(UINT_PTR id) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool Vertical() const;
    bool SizeBox() const;
    BarLayout LayOut() const;
    int Along(POINT point) const;
    int Across(POINT point) const;
    void Press(POINT point);
    void Move(POINT point);
    void Release();
    void SendScroll(int code, int position) const;
    void Paint(HDC dc, const RECT& client) const;
    void Redraw() const { InvalidateRect(window, nullptr, FALSE); }

    BarPart hot_ = BarPart::None;
    bool held_ = false;
    int pressCode_ = -1;
    POINT pointer_{};
    unsigned disabledArrows_ = 0;
    std::optional<ThumbDrag> drag_;
};

}  // namespace qivyun::skin
