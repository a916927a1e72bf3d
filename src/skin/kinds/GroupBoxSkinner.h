#pragma once
// Group boxes: the skin's frame around the area, its top edge running through the middle of the
// caption and interrupted by it; children of the box are kept out of the drawing. A box that is
// not clipped by its siblings leaves its inside to what lies behind it, and what the system would
// draw of it goes nowhere.
#include "framework/OffscreenSurface.h"
#include "skin/engine/KindSkinner.h"

namespace qivyun::skin {

class GroupBoxSkinner : public KindSkinner {
public:
    explicit GroupBoxSkinner(const SkinnerContext& context);
    void OnAttach() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // Paints the box into dc, or into the window's own DC when there is none.
    virtual void Paint(HDC dc);

private:
    // Where the caption is now, with the gap around it (box coordinates); empty without a caption.
    RECT CaptionGap(HDC dc) const;
    // What the parent shows behind the box, painted over `area` of dc.
    void PaintParentBackground(HDC dc, const RECT& area) const;
    // The caption, an icon, a bitmap or a text, at its place; the frame's top edge.
    int PaintCaption(HDC dc, int width, DWORD style, bool enabled, const SkinData& skin) const;

    // DCs the system asks for to draw its own look of the box get a scratch bitmap.
    DcRedirect dcRecord_;
    OffscreenSurface scratch_;
    RECT staleCaption_{};  // the caption before a new text, cleared by the next paint
};

}  // namespace qivyun::skin
