#include "skin/kinds/MonthCalendarSkinner.h"

#include "skin/engine/SkinProperties.h"
#include "skin/engine/SkinnerDrawing.h"

#include <commctrl.h>

namespace qivyun::skin {

void MonthCalendarSkinner::OnAttach() { ApplyColours(IsWindowEnabled(window) != FALSE); }

void MonthCalendarSkinner::OnSkinLoaded() { ApplyColours(IsWindowEnabled(window) != FALSE); }

LRESULT MonthCalendarSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        // The control sets its own colours as it is made, after the engine met it.
        return CallPreviousThen(message, wParam, lParam, [this] { ApplyColours(IsWindowEnabled(window) != FALSE); });
    case WM_NCPAINT:
        PaintBorder();
        return 0;
    case WM_ENABLE:
        ApplyColours(wParam != FALSE);
        return CallPreviousThen(message, wParam, lParam, [this] { PaintBorder(); });
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return CallPreviousThen(message, wParam, lParam, [this] { PaintBorder(); });
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

void MonthCalendarSkinner::ApplyColours(bool enabled) {
    const SkinData* skin = LoadedSkin();
    if (!skin) return;
    const COLORREF text = enabled ? SkinTextColour(window, SkinColour::CalendarText, *skin)
                                  : skin->Colour(SkinColour::CalendarTextDisabled);
    const COLORREF background = HostColour(window, BackgroundColourProperty)
                                    .value_or(skin->Colour(SkinColour::CalendarBackground));
    const struct {
        int slot;
        COLORREF colour;
    } colours[] = {
        {MCSC_BACKGROUND, background},
        {MCSC_MONTHBK, skin->Colour(SkinColour::CalendarMonthBackground)},
        {MCSC_TEXT, text},
        {MCSC_TITLEBK, skin->Colour(enabled ? SkinColour::CalendarTitle : SkinColour::CalendarTitleDisabled)},
        {MCSC_TITLETEXT, skin->Colour(enabled ? SkinColour::CalendarTitleText : SkinColour::CalendarTextDisabled)},
        {MCSC_TRAILINGTEXT, skin->Colour(SkinColour::CalendarTrailingText)},
    };
    // Through the control's own procedure, which a sent message would reach past the thread's hooks.
    for (const auto& [slot, colour] : colours) CallPrevious(MCM_SETCOLOR, static_cast<WPARAM>(slot), static_cast<LPARAM>(colour));
}

void MonthCalendarSkinner::PaintBorder() const {
    if (const SkinData* skin = LoadedSkin()) PaintNonClientBorder(window, ClientRectInWindow(window), *skin);
}

}  // namespace qivyun::skin
