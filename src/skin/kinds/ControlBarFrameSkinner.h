#pragma once
// A framed window that holds a control bar (a rebar, toolbar or framework control bar child): the
// skin's frame as around any captioned window, and the window fitted to its bar. The bar lies at
// the client area's top-left across its whole width, and the window's height follows the bar's, so
// that the client area holds the bar exactly; whatever of the client area the bar does not cover
// (while the two settle) shows the bar's background.
#include "skin/kinds/DialogSkinner.h"

namespace qivyun::skin {

class ControlBarFrameSkinner : public DialogSkinner {
public:
    using DialogSkinner::DialogSkinner;

    void ChildResized(HWND child) override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    // The first child that is a control bar, or null.
    HWND Bar() const;
    // Puts the bar across the client area and the window's height to the bar's; repeated while the
    // bar answers a new width with a new height.
    void FitToBar();

    bool fitting_ = false;
};

}  // namespace qivyun::skin
