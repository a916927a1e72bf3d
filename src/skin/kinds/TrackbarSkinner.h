#pragma once
// Trackbars: the skin's channel, tick marks and thumb drawn where the system places its own, so
// that the control's own mouse and keyboard handling, its position and its notifications stay the
// system's. The thumb lights under the pointer and while it is dragged.
#include "skin/engine/KindSkinner.h"
#include "skin/engine/PointerOver.h"

namespace qivyun::skin {

class TrackbarSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void Paint(HDC dc, const RECT& client);
    RECT ThumbRect() const;
    bool PointerOnThumb(LPARAM clientPoint) const;
    void Redraw() const { InvalidateRect(window, nullptr, FALSE); }

    PointerOver<bool> overThumb_{false};
    bool held_ = false;
};

}  // namespace qivyun::skin
