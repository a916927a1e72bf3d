#pragma once
// Tab controls: the pane's frame and every tab from the skin (above the pane, below it, or as
// buttons), the tab under the pointer lit, the open tab lighter and joined to the pane, pictures
// and texts in the skin's colours, the focused tab marked while the control has the focus. The
// control keeps its tabs, selection, keyboard, notifications and scroll arrows. Vertical and
// owner-drawn tab controls keep the system's look: their tabs need turned texts or their owner.
#include "skin/engine/KindSkinner.h"
#include "skin/engine/PointerOver.h"

namespace qivyun::skin {

class TabControlSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    bool DrawnBySystem() const;
    int TabAtPointer(LPARAM pointInClient) const;
    void DrawTabs();
    void DrawTab(HDC dc, int index, const RECT& rect, bool selected, const SkinData& skin);

    PointerOver<int> hotTab_{-1};
};

}  // namespace qivyun::skin
