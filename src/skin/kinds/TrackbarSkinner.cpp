#include "skin/kinds/TrackbarSkinner.h"

#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/kinds/TrackbarLooks.h"
#include "skin/patching/Unpatched.h"

#include <commctrl.h>

namespace qivyun::skin {
namespace {

constexpr int ChannelThickness = 6;

}  // namespace

LRESULT TrackbarSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
    case WM_PRINTCLIENT:
        if (!LoadedSkin()) break;
        PaintClientOffScreen(window, crack::Dc(wParam), Skin(), [this](HDC dc, const RECT& client) { Paint(dc, client); });
        return 0;
    case WM_ERASEBKGND:
        if (!LoadedSkin()) break;
        return 1;
    case WM_MOUSEMOVE:
        if (overThumb_.Moved(window, PointerOnThumb(lParam))) Redraw();
        break;
    case WM_MOUSELEAVE:
        if (overThumb_.Left()) Redraw();
        break;
    case WM_LBUTTONDOWN:
        // Only a press on the thumb drags it; a press beside it pages.
        held_ = PointerOnThumb(lParam);
        return CallPreviousThen(message, wParam, lParam, [this] { Redraw(); });
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (held_) {
            held_ = false;
            return CallPreviousThen(message, wParam, lParam, [this] { Redraw(); });
        }
        break;
    case WM_ENABLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        return CallPreviousThen(message, wParam, lParam, [this] { Redraw(); });
    default:
        break;
    }
    return CallPrevious(message, wParam, lParam);
}

RECT TrackbarSkinner::ThumbRect() const {
    RECT thumb{};
    CallPrevious(TBM_GETTHUMBRECT, 0, RecordParameter(&thumb));
    return thumb;
}

bool TrackbarSkinner::PointerOnThumb(LPARAM clientPoint) const {
    const RECT thumb = ThumbRect();
    const POINT point = crack::Point(clientPoint);
    return PtInRect(&thumb, point) != FALSE;
}

void TrackbarSkinner::Paint(HDC dc, const RECT& client) {
    const SkinData& skin = Skin();
    const LONG style = unpatched::GetWindowLongA(window, GWL_STYLE);
    const bool vertical = (style & TBS_VERT) != 0;
    const bool enabled = IsWindowEnabled(window) != FALSE;
    FillSkinBackground(window, dc, client, skin);

    RECT channel{};
    CallPrevious(TBM_GETCHANNELRECT, 0, RecordParameter(&channel));
    // The system reports a vertical trackbar's channel as if it lay across.
    if (vertical && channel.right - channel.left > channel.bottom - channel.top)
        channel = RECT{channel.top, channel.left, channel.bottom, channel.right};
    const RECT thumb = ThumbRect();
    const SkinRect drawn = TrackbarChannelRect(ToSkinRect(channel), vertical, ChannelThickness);
    DrawSkinPart(dc, ToRect(drawn), TrackbarChannelPart(vertical, enabled), skin);

    if (!(style & TBS_NOTICKS)) {
        TickRequest ticks;
        ticks.vertical = vertical;
        // TBS_TOP and TBS_LEFT are one bit, as are TBS_BOTTOM and TBS_RIGHT (0).
        ticks.before = (style & TBS_BOTH) || (style & TBS_TOP);
        ticks.after = (style & TBS_BOTH) || !(style & TBS_TOP);
        ticks.minimum = static_cast<int>(CallPrevious(TBM_GETRANGEMIN, 0, 0));
        ticks.maximum = static_cast<int>(CallPrevious(TBM_GETRANGEMAX, 0, 0));
        const int between = static_cast<int>(CallPrevious(TBM_GETNUMTICS, 0, 0)) - 2;
        if (const auto* values = reinterpret_cast<const DWORD*>(CallPrevious(TBM_GETPTICS, 0, 0)))
            for (int i = 0; i < between; ++i) ticks.values.push_back(static_cast<int>(values[i]));
        ticks.channel = ToSkinRect(channel);
        ticks.thumb = ToSkinRect(thumb);
        UniqueGdiObject<HBRUSH> brush(
            CreateSolidBrush(skin.Colour(enabled ? SkinColour::TrackbarTick : SkinColour::TrackbarTickDisabled)));
        for (const SkinRect& tick : TrackbarTicks(ticks)) {
            const RECT rect = ToRect(tick);
            FillRect(dc, &rect, brush.Get());
        }
    }
    if (!(style & TBS_NOTHUMB)) DrawSkinPart(dc, thumb, TrackbarThumbPart(vertical, enabled, held_, overThumb_.Current()), skin);
    if (GetFocus() == window && !(CallPrevious(WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS)) DrawFocusRect(dc, &client);
}

}  // namespace qivyun::skin
