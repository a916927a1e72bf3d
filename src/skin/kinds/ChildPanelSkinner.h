#pragma once
// The child-panel kind: a panel inside another window, with a dialog's background and control
// colours (DialogSkinner's), and its border, when it has WS_BORDER or an edge style, in the skin's
// border colours.
#include "skin/kinds/DialogSkinner.h"

namespace qivyun::skin {

class ChildPanelSkinner : public DialogSkinner {
public:
    using DialogSkinner::DialogSkinner;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};

}  // namespace qivyun::skin
