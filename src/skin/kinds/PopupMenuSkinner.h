#pragma once
// The pop-up menu kind: the menu window on the skin's menu background, its items made the
// engine's own (owner-drawn, drawn by the menu-owner interception) while the window shows them,
// and given back when it goes.
#include "skin/engine/WindowSkinner.h"

namespace qivyun::skin {

class PopupMenuSkinner : public WindowSkinner {
public:
    ~PopupMenuSkinner() override;

    // The menu this window shows, once it has been created.
    HMENU Menu() const { return menu_; }
    // The menu window that shows a menu, if the engine skins it.
    static PopupMenuSkinner* Showing(HMENU menu);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void OwnItems();
    void PaintClient();
    void PaintFrame() const;
    void DrawBackgroundAround(HDC dc) const;

    HMENU menu_ = nullptr;
};

}  // namespace qivyun::skin
