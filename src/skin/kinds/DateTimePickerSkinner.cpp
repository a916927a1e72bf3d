#include "skin/kinds/DateTimePickerSkinner.h"

#include "framework/Handles.h"
#include "framework/MessageCrackers.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/kinds/DatePickerLooks.h"
#include "skin/patching/Unpatched.h"

#include <commctrl.h>

namespace qivyun::skin {

LRESULT DateTimePickerSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        if (!LoadedSkin() || !HasDropButton()) break;
        PaintClientOffScreen(window, crack::Dc(wParam), Skin(), [this](HDC buffer, const RECT& client) { Paint(buffer, client); });
        return 0;
    case WM_NCPAINT:
        PaintBorder();
        return 0;
    case WM_MOUSEMOVE: {
        const RECT button = DropButton();
        if (overButton_.Moved(window, PtInRect(&button, crack::Point(lParam)) != FALSE)) RedrawButton();
        break;
    }
    case WM_MOUSELEAVE:
        if (overButton_.Left()) RedrawButton();
        break;
    case WM_LBUTTONDOWN: {
        const RECT button = DropButton();
        held_ = PtInRect(&button, crack::Point(lParam)) != FALSE;
        return CallPreviousThen(message, wParam, lParam, [this] { RedrawButton(); });
    }
    case WM_LBUTTONUP:
        held_ = false;
        return CallPreviousThen(message, wParam, lParam, [this] { RedrawButton(); });
    case WM_NOTIFY:
        // The calendar picked a day or closed: the button comes up again.
        return CallPreviousThen(message, wParam, lParam, [this] { RedrawButton(); });
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        return CallPreviousThen(message, wParam, lParam, [this] {
            PaintBorder();
            RedrawButton();
        });
    default:
        break;
    }
    return CallPrevious(message, wParam, lParam);
}

bool DateTimePickerSkinner::HasDropButton() const {
    return (unpatched::GetWindowLongA(window, GWL_STYLE) & DTS_UPDOWN) == 0;
}

RECT DateTimePickerSkinner::DropButton() const {
    if (!HasDropButton()) return RECT{};
    // Where the system has the answer, the button it hit-tests; else its rule.
    DATETIMEPICKERINFO info{};
    info.cbSize = sizeof(info);
    if (CallPrevious(DTM_GETDATETIMEPICKERINFO, 0, RecordParameter(&info)) && !IsRectEmpty(&info.rcButton))
        return info.rcButton;
    RECT client;
    GetClientRect(window, &client);
    return ToRect(DateDropButtonRect(client.right, client.bottom, GetSystemMetrics(SM_CXVSCROLL)));
}

void DateTimePickerSkinner::Paint(HDC buffer, const RECT& client) {
    const SkinData& skin = Skin();
    // The fields as the system draws them (on the edit boxes' fill: the system draws them on the
    // erased window), then the skin's button over the system's.
    const bool enabled = IsWindowEnabled(window) != FALSE;
    {
        UniqueGdiObject<HBRUSH> fill(
            CreateSolidBrush(skin.Colour(enabled ? SkinColour::BorderFill : SkinColour::BorderFillDisabled)));
        FillRect(buffer, &client, fill.Get());
    }
    CallPrevious(WM_PAINT, DcParameter(buffer), 0);
    const auto calendar = reinterpret_cast<HWND>(CallPrevious(DTM_GETMONTHCAL, 0, 0));
    const bool held = held_ || (calendar && IsWindowVisible(calendar));
    const RECT button = DropButton();
    DrawSkinPart(buffer, button, DateDropButtonPart(enabled, held, overButton_.Current()), skin);
    const SkinPart glyph = DateDropGlyphPart(enabled);
    const ImagePart& picture = skin.Part(glyph);
    DrawSkinPart(buffer, ToRect(CentredIn(ToSkinRect(button), picture.width, picture.height)), glyph, skin);
}

void DateTimePickerSkinner::PaintBorder() const {
    if (const SkinData* skin = LoadedSkin()) PaintNonClientBorder(window, ClientRectInWindow(window), *skin);
}

void DateTimePickerSkinner::RedrawButton() const {
    const RECT button = DropButton();
    if (!IsRectEmpty(&button)) InvalidateRect(window, &button, FALSE);
}

}  // namespace qivyun::skin
