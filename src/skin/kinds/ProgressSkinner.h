#pragma once
// Progress bars: the trough part across the whole control and the bar part over the filled share,
// horizontal or (PBS_VERTICAL) growing upwards. The control keeps its position and range; the
// skinner only paints, its frame included.
#include "skin/engine/KindSkinner.h"

namespace qivyun::skin {

class ProgressSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    void DrawProgress();
    // Whether the window has a non-client area around its client area.
    bool HasFrame() const;
};

}  // namespace qivyun::skin
