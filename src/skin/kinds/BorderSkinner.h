#pragma once
// The border-only kind (animation, hot-key and IP-address controls): the control draws its client
// area itself; the skinner draws the frame around it in the skin's border colours, or fills it
// with the skin's background when the control has no border style.
#include "skin/engine/KindSkinner.h"

namespace qivyun::skin {

class BorderSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void PaintBorder() const;
};

}  // namespace qivyun::skin
