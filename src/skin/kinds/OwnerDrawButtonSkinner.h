#pragma once
// Owner-drawn buttons, painted through a buffer: whatever the button and its owner (WM_DRAWITEM)
// paint goes into an off-screen bitmap that starts out in the key colour; at the end of painting
// the bitmap is keyed onto the skin's background and copied to the screen once. Black text drawn
// into the buffer comes out in the skin's static-text colour. The non-client area gets the skin's
// border, and scroll bars as the scrollable controls draw theirs.
#include "framework/OffscreenSurface.h"
#include "skin/engine/KindSkinner.h"
#include "skin/kinds/SkinnedNonClient.h"

#include <vector>

namespace qivyun::skin {

class OwnerDrawButtonSkinner : public KindSkinner {
public:
    explicit OwnerDrawButtonSkinner(const SkinnerContext& context);
    ~OwnerDrawButtonSkinner() override;
    void OnAttach() override;
    void OnTimer(UINT_PTR id) override { nonClient_.OnTimer(id); }
    ScrollState* OwnScrollBar(int bar) override { return nonClient_.State(bar); }
    void RedrawOwnScrollBars() override { nonClient_.RedrawBars(); }

    // Where the owner's drawing is not covered, the skin's background shows: the buffer starts out
    // in this colour, and this colour is keyed out when the buffer goes onto the background.
    static constexpr COLORREF KeyColour = RGB(255, 0, 255);

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    struct Buffer {
        PAINTSTRUCT paint;  // as the system's BeginPaint filled it
        HDC screen;         // the DC the system's BeginPaint gave
        SurfacePool::Lease memory;
        int nested;  // BeginPaint calls inside this paint that share the buffer
    };

    HDC BeginBuffered(PAINTSTRUCT* paint);
    BOOL EndBuffered(const PAINTSTRUCT* paint);

    // The border and, for a button with scroll-bar styles, the bars: as the scrollable controls have them.
    SkinnedNonClient nonClient_{*this, Skin()};
    PaintRedirect paintRecord_;
    DcRedirect dcRecord_;
    std::vector<Buffer> buffers_;  // open paints, innermost last
};

}  // namespace qivyun::skin
