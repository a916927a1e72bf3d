#pragma once
// The button family: push buttons, check boxes and radio buttons drawn wholly from the skin with
// hover, pressed, focused, checked, indeterminate and disabled looks. Every paint is composed off
// screen and copied once; a pointer change redraws at once through the window's DC. A button that
// becomes owner-drawn is handed to the buffered-painting kind.
#include "skin/container/SkinData.h"
#include "skin/engine/KindSkinner.h"
#include "skin/engine/MeasuredText.h"
#include "skin/kinds/ButtonLooks.h"

#include <memory>

namespace qivyun::skin {

class ButtonSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;
    ~ButtonSkinner() override;
    void OnAttach() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Composes the whole client area off screen and copies it to dc.
    virtual void Paint(HDC dc);
    virtual void PaintBackground(HDC dc, const RECT& client, const SkinData& skin);
    // The kind's look on the buffer, after the background, with the kind's font selected.
    virtual void PaintContent(HDC dc, const RECT& client, DWORD style, const SkinData& skin) = 0;
    // A BS_ICON or BS_BITMAP button's picture, centred in rect, dimmed when disabled.
    virtual void PaintImage(HDC dc, const RECT& rect, bool icon);
    virtual SkinFontSlot FontSlot() const = 0;
    virtual SkinColour TextColour(bool enabled) const = 0;
    // What the look depends on now.
    virtual ButtonCondition Condition() const = 0;

    // The window text drawn into rect at the style's place. A single line wider than rect may
    // spread sideways up to `wider` before it is cut with an ellipsis.
    void PaintText(HDC dc, RECT rect, const TextPlacement& placement, COLORREF colour,
                   const RECT* wider = nullptr);
    // Paints through the window's DC: now, or when the message being handled is done.
    void Redraw();
    // Whether the button has the keyboard focus, as its focus messages said.
    bool HasFocus() const { return focused_; }

    int mouseState = 0;  // 0 idle, 1 the pointer is over the button, 2 the left button is held on it

private:
    LRESULT Handle(UINT message, WPARAM wParam, LPARAM lParam);
    void RedrawNow();
    void SetMouseState(int state);
    // The owner-draw style arrived: the buffered-painting kind takes the window over.
    void HandOverToOwnerDraw();

    // Registered so that the engine knows the button's DCs; without routines, GetDC and ReleaseDC
    // about the button reach the system.
    DcRedirect dcRecord_;
    MeasuredText measured_;  // the text as last measured
    bool focused_ = false;
    int handling_ = 0;  // messages being handled, nested ones included
    bool redrawWanted_ = false;
    std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);  // false once the skinner is gone
};

}  // namespace qivyun::skin
