#pragma once
// Control bars. A rebar: its background, each band's face, the gripper of each band that has one,
// the band's label in the skin's colour, and with band borders the lines between bands and rows,
// all drawn at the places the rebar gives; the bands' child windows draw themselves, and the rebar
// keeps its layout, band dragging, notifications and band sizes. A framework control bar (a plain
// window holding controls): the skin's face, and in a non-client frame the skin's border and, at
// the leading edge, its gripper. Both tell a parent that fits itself to its bar when their size
// changes.
#include "skin/engine/KindSkinner.h"

namespace qivyun::skin {

class ControlBarSkinner : public KindSkinner {
public:
    using KindSkinner::KindSkinner;

    void OnAttach() override;
    void OnSkinLoaded() override;

protected:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    LRESULT RebarProc(UINT message, WPARAM wParam, LPARAM lParam);
    LRESULT FrameworkBarProc(UINT message, WPARAM wParam, LPARAM lParam);
    void DrawRebar();
    void DrawBands(HDC dc, const RECT& client, const SkinData& skin);
    RECT ChevronOf(int index, const RECT& band, bool vertical) const;
    void DrawFrameworkBarFrame();
    void RedrawAll() const;
    void ComputeFrameAgain() const;

    bool rebar_ = false;
    bool horizontal_ = true;
};

}  // namespace qivyun::skin
