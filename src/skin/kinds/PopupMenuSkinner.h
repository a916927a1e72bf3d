#pragma once
// The pop-up menu kind: the menu window on the skin's menu background, its items made the
// engine's own (owner-drawn, drawn by the menu-owner interception) while the window shows them,
// and given back when it goes.
#include "skin/engine/KindSkinner.h"

namespace qivyun::skin {

class PopupMenuSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;
    ~PopupMenuSkinner() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OwnItems();
    void PaintClient();
    void PaintFrame() const;
    void DrawBackgroundAround(HDC dc) const;

    HMENU menu_ = nullptr;  // the menu the window shows, once it has been created
};

}  // namespace qivyun::skin
