#include "skin/engine/ControlColours.h"

#include "framework/MessageCrackers.h"
#include "skin/engine/WindowSkinner.h"

namespace qivyun::skin {
namespace {

constexpr SkinType FramedWindowTypes[] = {skintype::ControlBarFrame, skintype::Dialog, skintype::AfxFrame};

bool DrawnByTheSkin(HWND control) {
    const WindowSkinner* skinner = WindowSkinner::Of(control);
    if (!skinner) return false;
    for (SkinType type : FramedWindowTypes) {
        if (skinner->skinType == type) return false;
    }
    return true;
}

}  // namespace

LRESULT AnswerControlColour(const WindowSkinner& host, const SkinData& skin, UINT message, WPARAM wParam,
                            LPARAM lParam) {
    const LRESULT answer = host.CallPrevious(message, wParam, lParam);
    if (!skin.Loaded()) return answer;
    if (message == WM_CTLCOLORSTATIC) {
        const HDC dc = crack::Dc(wParam);
        if (DrawnByTheSkin(crack::Window(lParam))) {
            SetBkColor(dc, skin.BackgroundColour());
            SetTextColor(dc, skin.Colour(SkinColour::StaticTextDisabled));
        } else {
            SetBkMode(dc, TRANSPARENT);
            SetTextColor(dc, skin.Colour(IsWindowEnabled(host.window) ? SkinColour::StaticText
                                                                        : SkinColour::StaticTextDisabled));
        }
    }
    return reinterpret_cast<LRESULT>(skin.BackgroundBrush());
}

}  // namespace qivyun::skin
