#include "skin/kinds/ComboBoxSkinner.h"

#include "framework/DeviceContext.h"
#include "framework/Handles.h"
#include "framework/MessageCrackers.h"
#include "skin/engine/SkinProperties.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/kinds/SmallButtonLooks.h"

namespace qivyun::skin {

ComboBoxSkinner::~ComboBoxSkinner() {
    for (HWND part : parts_)
        if (part && IsWindow(part) && GetPropA(part, ComboSkinnerProperty) == this) RemovePropA(part, ComboSkinnerProperty);
}

LRESULT ComboBoxSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        // The edit field and the list are made while the box is created.
        return CallPreviousThen(message, wParam, lParam, [this] { MarkParts(); });
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (!LoadedSkin()) break;
        if (HDC given = crack::Dc(wParam)) {
            PaintInto(given);
        } else {
            PaintBetweenBeginAndEnd(window, [this](HDC dc) { PaintInto(dc); });
        }
        return 0;
    case WM_MOUSEMOVE:
        if (overButton_.Moved(window, PointerOnButton(lParam))) Redraw();
        break;
    case WM_MOUSELEAVE:
        if (overButton_.Left()) Redraw();
        break;
    case WM_COMMAND:
        // The edit field's focus is the box's: its frame follows it.
        if (crack::Window(lParam) == parts_[0] && (HIWORD(wParam) == EN_SETFOCUS || HIWORD(wParam) == EN_KILLFOCUS))
            return CallPreviousThen(message, wParam, lParam, [this] { Redraw(); });
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case CB_SHOWDROPDOWN:
        return CallPreviousThen(message, wParam, lParam, [this] { Redraw(); });
    default:
        break;
    }
    return CallPrevious(message, wParam, lParam);
}

COMBOBOXINFO ComboBoxSkinner::Info() const {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    CallPrevious(CB_GETCOMBOBOXINFO, 0, RecordParameter(&info));
    return info;
}

void ComboBoxSkinner::MarkParts() {
    const COMBOBOXINFO info = Info();
    parts_[0] = info.hwndItem != window ? info.hwndItem : nullptr;
    parts_[1] = info.hwndList;
    for (HWND part : parts_)
        if (part) SetPropA(part, ComboSkinnerProperty, this);
}

void ComboBoxSkinner::PaintInto(HDC target) {
    // The edit field paints itself; the picture must not cover it.
    if (parts_[0] && IsWindowVisible(parts_[0])) {
        RECT field;
        GetWindowRect(parts_[0], &field);
        MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&field), 2);
        ExcludeClipRect(target, field.left, field.top, field.right, field.bottom);
    }
    PaintClientOffScreen(window, target, Skin(), [this](HDC dc, const RECT& client) { Paint(dc, client); });
}

bool ComboBoxSkinner::PointerOnButton(LPARAM clientPoint) const {
    const COMBOBOXINFO info = Info();
    const POINT point = crack::Point(clientPoint);
    return PtInRect(&info.rcButton, point) != FALSE;
}

void ComboBoxSkinner::Paint(HDC dc, const RECT& client) {
    const SkinData& skin = Skin();
    const bool enabled = IsWindowEnabled(window) != FALSE;
    const HWND focus = GetFocus();
    const bool focused = focus && (focus == window || focus == parts_[0]);
    SkinColour pen = SkinColour::BorderPen, fill = SkinColour::BorderFill;
    if (!enabled) {
        pen = SkinColour::BorderPenDisabled;
        fill = SkinColour::BorderFillDisabled;
    } else if (focused) {
        pen = SkinColour::BorderPenFocused;
        fill = SkinColour::BorderFillFocused;
    }
    // The system's picture first: the selected item of a drop-down list, owner-drawn or not.
    UniqueGdiObject<HBRUSH> ground(CreateSolidBrush(skin.Colour(enabled ? SkinColour::BorderFill : fill)));
    FillRect(dc, &client, ground.Get());
    CallPrevious(WM_PAINT, DcParameter(dc), 0);
    {
        // Over the system's sunken edge: a line and a ring inside it.
        UniqueGdiObject<HPEN> line(CreatePen(PS_SOLID, 1, skin.Colour(pen)));
        SelectedObject selectedPen(dc, line.Get());
        SelectedObject noFill(dc, GetStockObject(NULL_BRUSH));
        Rectangle(dc, client.left, client.top, client.right, client.bottom);
        UniqueGdiObject<HPEN> ring(CreatePen(PS_SOLID, 1, skin.Colour(fill)));
        SelectedObject selectedRing(dc, ring.Get());
        Rectangle(dc, client.left + 1, client.top + 1, client.right - 1, client.bottom - 1);
    }
    const COMBOBOXINFO info = Info();
    if (IsRectEmpty(&info.rcButton)) return;  // a simple combo box has no button
    const bool dropped = CallPrevious(CB_GETDROPPEDSTATE, 0, 0) != 0;
    // The button's rounded corners show the field, not the system's button beneath.
    FillRect(dc, &info.rcButton, ground.Get());
    const SkinRect button = ToSkinRect(info.rcButton);
    DrawSkinPart(dc, info.rcButton, SmallButtonFace(enabled, dropped, overButton_.Current()), skin);
    const SkinPart glyph = ArrowGlyph(ArrowDirection::Down, enabled);
    const ImagePart& picture = skin.Part(glyph);
    DrawSkinPart(dc, ToRect(CentredIn(button, picture.width, picture.height, dropped ? 1 : 0)), glyph, skin);
}

}  // namespace qivyun::skin
