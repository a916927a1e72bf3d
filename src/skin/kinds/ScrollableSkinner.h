#pragma once
// The scrollable-control kind (edit, rich-edit, list-box, list-view and tree-view controls): a
// border and scroll bars of the skin in the non-client area, drawn, hit-tested and worked by the
// skinner itself, and the wheel scrolling one line per message. The control keeps its scroll
// state: it hears the scroll messages the system's bars would send, and its scroll functions
// read and write the skinner's copy of each bar.
#include "skin/engine/KindSkinner.h"
#include "skin/kinds/SkinnedNonClient.h"

namespace qivyun::skin {

class ScrollableSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;
    void OnTimer(UINT_PTR id) override { nonClient_.OnTimer(id); }
    ScrollState* OwnScrollBar(int bar) override { return nonClient_.State(bar); }
    void RedrawOwnScrollBars() override { nonClient_.RedrawBars(); }

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT Wheel(WPARAM wParam, LPARAM lParam);

    SkinnedNonClient nonClient_{*this, Skin()};
};

}  // namespace qivyun::skin
