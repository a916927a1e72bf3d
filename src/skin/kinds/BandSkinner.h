#pragma once
// Band windows: the skin's face over the whole window, its border in the non-client frame when the
// window has one, in the disabled look while disabled. What the band holds draws itself.
#include "skin/engine/KindSkinner.h"

namespace qivyun::skin {

class BandSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    SkinPart Face() const;
};

}  // namespace qivyun::skin
