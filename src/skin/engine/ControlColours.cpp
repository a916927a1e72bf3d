#include "skin/engine/ControlColours.h"

#include "skin/SkinEngine.h"
#include "skin/engine/WindowSkinner.h"

namespace qivyun::skin {
namespace {

constexpr SkinType FramedWindowTypes[] = {1030, 1034};

bool DrawnByTheSkin(HWND control) {
    const WindowSkinner* skinner = WindowSkinner::Of(control);
    if (!skinner) return false;
    for (SkinType type : FramedWindowTypes) {
        if (skinner->skinType == type) return false;
    }
    return true;
}

}  // namespace

LRESULT AnswerControlColour(const WindowSkinner& host, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT answer = host.CallPrevious(message, wParam, lParam);
    const SkinData* loaded = SkinEngine::LoadedSkin();
    if (!loaded) return answer;
    const SkinData& skin = *loaded;
    if (message == WM_CTLCOLORSTATIC) {
        const HDC dc = reinterpret_cast<HDC>(wParam);
        if (DrawnByTheSkin(reinterpret_cast<HWND>(lParam))) {
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
