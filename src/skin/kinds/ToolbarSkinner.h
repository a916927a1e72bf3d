#pragma once
// Toolbars: the band from the skin, a face under each button that is under the pointer, held or
// checked, separators and drop-down arrows from the skin, pictures from the control's image lists
// (the hot and disabled lists where it has them) and texts in the skin's colours. The control keeps
// its buttons, layout, commands, notifications and tips.
#include "skin/engine/KindSkinner.h"
#include "skin/engine/PointerOver.h"

namespace qivyun::skin {

class ToolbarSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    int ButtonAtPointer(LPARAM pointInClient) const;
    void DrawToolbar();
    void DrawButton(HDC dc, int index, const SkinData& skin);

    PointerOver<int> hotButton_{-1};
};

}  // namespace qivyun::skin
