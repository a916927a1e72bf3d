#include "skin/kinds/UpDownSkinner.h"

#include "framework/MessageCrackers.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/kinds/SmallButtonLooks.h"
#include "skin/patching/Unpatched.h"

#include <commctrl.h>

namespace qivyun::skin {

LRESULT UpDownSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (!LoadedSkin()) break;
        PaintClientOffScreen(window, crack::Dc(wParam), Skin(), [this](HDC dc, const RECT& client) { Paint(dc, client); });
        return 0;
    case WM_ERASEBKGND:
        if (!LoadedSkin()) break;
        return 1;
    case WM_MOUSEMOVE: {
        TRACKMOUSEEVENT request{sizeof(request), TME_LEAVE, window, 0};
        TrackMouseEvent(&request);
        const int over = ButtonAt(lParam);
        // A held button looks pressed only while the pointer stays on it, as the system's does.
        Show(over, held_);
        break;
    }
    case WM_MOUSELEAVE:
        Show(0, held_);
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        const int pressed = ButtonAt(lParam);
        return CallPreviousThen(message, wParam, lParam, [&] { Show(pressed, pressed); });
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        return CallPreviousThen(message, wParam, lParam, [this] { Show(over_, 0); });
    case WM_ENABLE:
        return CallPreviousThen(message, wParam, lParam, [this] { InvalidateRect(window, nullptr, FALSE); });
    default:
        break;
    }
    return CallPrevious(message, wParam, lParam);
}

int UpDownSkinner::ButtonAt(LPARAM clientPoint) const {
    RECT client;
    GetClientRect(window, &client);
    const bool horizontal = (unpatched::GetWindowLongA(window, GWL_STYLE) & UDS_HORZ) != 0;
    const POINT point = crack::Point(clientPoint);
    return UpDownButtonAt(SplitUpDown(client.right, client.bottom, horizontal), point.x, point.y);
}

void UpDownSkinner::Show(int over, int held) {
    if (over == over_ && held == held_) return;
    over_ = over;
    held_ = held;
    InvalidateRect(window, nullptr, FALSE);
}

void UpDownSkinner::Paint(HDC dc, const RECT& client) {
    const SkinData& skin = Skin();
    FillSkinBackground(window, dc, client, skin);
    const bool horizontal = (unpatched::GetWindowLongA(window, GWL_STYLE) & UDS_HORZ) != 0;
    const bool enabled = IsWindowEnabled(window) != FALSE;
    const UpDownButtons buttons = SplitUpDown(client.right, client.bottom, horizontal);
    auto draw = [&](int which, const SkinRect& rect, ArrowDirection arrow) {
        const bool held = held_ == which && over_ == which;
        DrawSkinPart(dc, ToRect(rect), SmallButtonFace(enabled, held, over_ == which), skin);
        const SkinPart glyph = ArrowGlyph(arrow, enabled);
        const ImagePart& picture = skin.Part(glyph);
        DrawSkinPart(dc, ToRect(CentredIn(rect, picture.width, picture.height, held ? 1 : 0)), glyph, skin);
    };
    draw(1, buttons.first, buttons.firstArrow);
    draw(2, buttons.second, buttons.secondArrow);
}

}  // namespace qivyun::skin
