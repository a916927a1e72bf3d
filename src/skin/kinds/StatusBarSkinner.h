#pragma once
// Status bars: the bar, the lines between its parts and the size grip from the skin, each part's
// icon and text (in its columns) in the skin's colour; owner-drawn parts go to the parent as the
// system sends them. The control keeps its parts, texts, tips and sizing.
#include "skin/engine/KindSkinner.h"

namespace qivyun::skin {

class StatusBarSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawBar();
    // One part's icon and text, or its owner's drawing, at `rect` (client coordinates of dc).
    void DrawPartContent(HDC dc, int part, const RECT& rect);
};

}  // namespace qivyun::skin
