#pragma once
// The frame-client kind (framework views and MDI clients): the workspace behind the children from
// the skin's workspace part, and the client edge drawn in the skin's border colours around it;
// scroll bars, MDI children and their activation, tiling and cascading stay the system's.
#include "skin/engine/KindSkinner.h"

namespace qivyun::skin {

class FrameClientSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace qivyun::skin
