#pragma once
// Group boxes: the skin's frame around the area, its top edge running through the middle of the
// caption and interrupted by it; children of the box are kept out of the drawing. A box that is
// not clipped by its siblings leaves its inside to what lies behind it; its caption is drawn over
// what the parent shows there. What the system would draw of the box while it handles a change
// (a new text, enabling) goes nowhere.
#include "framework/OffscreenSurface.h"
#include "skin/engine/KindSkinner.h"
#include "skin/engine/MeasuredText.h"
#include "skin/kinds/GroupBoxCaption.h"

#include <string>

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
    // A text caption as it is drawn: what it shows and where.
    struct TextCaption {
        std::wstring text;
        HFONT font = nullptr;
        COLORREF colour = 0;
        bool enabled = true;
        SkinRect box, gap;
        int frameTop = 0;
        friend bool operator==(const TextCaption&, const TextCaption&) = default;
    };
    // The caption of a box without an icon or bitmap, read and measured once for the paint.
    TextCaption ReadTextCaption(HDC dc, int width, DWORD style, bool enabled, const SkinData& skin);
    void DrawTextCaption(HDC dc, const TextCaption& caption, const SkinData& skin) const;
    // An icon or bitmap caption at its place, where it goes and where the frame's top edge runs.
    GroupBoxCaptionLayout PaintImageCaption(HDC dc, int width, DWORD style, bool enabled, const SkinData& skin) const;
    // The text caption over what the parent shows behind `area` (the caption's gap and where an
    // earlier caption was).
    void PaintCaptionOverParent(HDC dc, const TextCaption& caption, const RECT& area, const SkinData& skin);
    // What the parent shows behind `area` of the box, painted into dc (box coordinates).
    void PaintParentBackground(HDC dc, const RECT& area) const;
    // Hands the message to the procedure beneath while DCs the system takes for the box draw into
    // a scratch bitmap.
    LRESULT CallPreviousUnseen(UINT message, WPARAM wParam, LPARAM lParam);

    DcRedirect dcRecord_;
    OffscreenSurface scratch_;
    MeasuredText measured_;
    // The caption over the parent's background as last drawn, that background alone, and where on
    // the screen they went: a caption that shows either of them on the screen still is not asked
    // of the parent again.
    TextCaption shownCaption_;
    RECT shownArea_{};
    OffscreenSurface shown_, behind_, onScreen_;
    RECT lastGap_{};       // the gap of the last paint
    RECT staleCaption_{};  // the caption before a new text, cleared by the next paint
};

}  // namespace qivyun::skin
