#include "skin/kinds/ToolbarSkinner.h"

#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/kinds/DatePickerLooks.h"
#include "skin/kinds/ToolButtonLayout.h"
#include "skin/patching/Unpatched.h"

#include <commctrl.h>

#include <string>

namespace qivyun::skin {
namespace {

// The section the system gives a drop-down button's arrow at the button's right end.
constexpr int DropArrowSection = 11;

}  // namespace

LRESULT ToolbarSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        // The system's paint only validates; the toolbar is drawn through its window DC.
        PaintBetweenBeginAndEnd(window, [](HDC) {});
        DrawToolbar();
        return 0;
    case WM_NCPAINT: {
        // The divider the system draws along the top lies in the frame: the band covers it.
        const RECT outer = WindowRectAtOrigin(window), client = ClientRectInWindow(window);
        if (!EqualRect(&outer, &client)) DrawToolbar();
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        if (hotButton_.Moved(window, ButtonAtPointer(lParam)))
            return CallPreviousThen(message, wParam, lParam, [this] { DrawToolbar(); });
        break;
    case WM_MOUSELEAVE:
        if (hotButton_.Left()) return CallPreviousThen(message, wParam, lParam, [this] { DrawToolbar(); });
        break;
    case WM_ENABLE:
        return CallPreviousThen(message, wParam, lParam, [this] { DrawToolbar(); });
    case WM_SIZE:
        // A window fitted to its toolbar follows the toolbar's height.
        return CallPreviousThen(message, wParam, lParam, [this] { TellParentOfResize(); });
    default:
        break;
    }
    return CallPrevious(message, wParam, lParam);
}

int ToolbarSkinner::ButtonAtPointer(LPARAM pointInClient) const {
    POINT point = crack::Point(pointInClient);
    const int index = static_cast<int>(CallPrevious(TB_HITTEST, 0, RecordParameter(&point)));
    // A negative answer is a separator or no button at all.
    return index >= 0 ? index : -1;
}

void ToolbarSkinner::DrawToolbar() {
    const SkinData& skin = Skin();
    PaintWindowOffScreen(
        window, skin,
        [this, &skin](HDC dc, const RECT& all) {
            DrawSkinPart(dc, all, SkinPart::ToolbarBackground, skin);
            const RECT client = ClientRectInWindow(window);
            SetViewportOrgEx(dc, client.left, client.top, nullptr);
            SetBkMode(dc, TRANSPARENT);
            SelectedObject font(dc, SkinnerFont(window, SkinFontSlot::ToolbarFont, skin));
            // Asked of the control's own procedure, which the messages would reach past the thread's hooks.
            const int count = static_cast<int>(CallPrevious(TB_BUTTONCOUNT, 0, 0));
            for (int index = 0; index < count; ++index) DrawButton(dc, index, skin);
        },
        ChildWindows::Spared);
}

void ToolbarSkinner::DrawButton(HDC dc, int index, const SkinData& skin) {
    TBBUTTON button{};
    if (!CallPrevious(TB_GETBUTTON, static_cast<WPARAM>(index), RecordParameter(&button))) return;
    if (button.fsState & TBSTATE_HIDDEN) return;
    RECT rect{};
    CallPrevious(TB_GETITEMRECT, static_cast<WPARAM>(index), RecordParameter(&rect));
    const SkinRect place = ToSkinRect(rect);
    if (button.fsStyle & BTNS_SEP) {
        const ImagePart& separator = skin.Part(SkinPart::ToolbarSeparator);
        const SkinRect line = CentredIn(place, separator.width, place.Height());
        DrawSkinPart(dc, ToRect(line), SkinPart::ToolbarSeparator, skin);
        return;
    }
    const ToolButtonState state{(button.fsState & TBSTATE_ENABLED) && IsWindowEnabled(window),
                                (button.fsState & TBSTATE_CHECKED) != 0, (button.fsState & TBSTATE_PRESSED) != 0,
                                index == hotButton_.Current()};
    if (const std::optional<SkinPart> face = ToolButtonFace(state)) DrawSkinPart(dc, rect, *face, skin);

    const auto style = static_cast<LONG>(CallPrevious(TB_GETSTYLE, 0, 0));
    const auto extended = static_cast<DWORD>(CallPrevious(TB_GETEXTENDEDSTYLE, 0, 0));
    const auto images = reinterpret_cast<HIMAGELIST>(CallPrevious(TB_GETIMAGELIST, 0, 0));
    const auto hotImages = reinterpret_cast<HIMAGELIST>(CallPrevious(TB_GETHOTIMAGELIST, 0, 0));
    const auto disabledImages = reinterpret_cast<HIMAGELIST>(CallPrevious(TB_GETDISABLEDIMAGELIST, 0, 0));
    const auto padding = static_cast<DWORD>(CallPrevious(TB_GETPADDING, 0, 0));

    ToolButtonContent content;
    const int image = button.iBitmap >= 0 ? LOWORD(button.iBitmap) : -1;
    if (images && image >= 0) ImageList_GetIconSize(images, &content.imageWidth, &content.imageHeight);
    const auto length = static_cast<int>(CallPrevious(TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand), 0));
    std::wstring text(length > 0 ? size_t(length) + 1 : 1, L'\0');
    if (length > 0) CallPrevious(TB_GETBUTTONTEXTW, static_cast<WPARAM>(button.idCommand), RecordParameter(text.data()));
    text.resize(wcslen(text.c_str()));
    content.hasText = !text.empty() && (!(extended & TBSTYLE_EX_MIXEDBUTTONS) || (button.fsStyle & BTNS_SHOWTEXT));
    content.textBesideImage = (style & TBSTYLE_LIST) != 0;
    content.paddingX = LOWORD(padding);
    content.paddingY = HIWORD(padding);
    const bool arrow = (button.fsStyle & BTNS_WHOLEDROPDOWN) ||
                       ((button.fsStyle & BTNS_DROPDOWN) && (extended & TBSTYLE_EX_DRAWDDARROWS));
    content.arrowWidth = arrow ? DropArrowSection : 0;
    ToolButtonPlaces places = PlaceToolButton(place, content);
    if (state.pressed) {  // a held button's content gives way under the pointer
        for (SkinRect* moved : {&places.image, &places.text}) *moved = {moved->left + 1, moved->top + 1, moved->right + 1, moved->bottom + 1};
    }

    if (!places.image.Empty()) {
        HIMAGELIST list = images;
        UINT look = ILD_TRANSPARENT;
        if (!state.enabled && disabledImages) list = disabledImages;
        else if (!state.enabled) look |= ILD_BLEND50;
        else if (state.hot && hotImages) list = hotImages;
        ImageList_DrawEx(list, image, dc, places.image.left, places.image.top, 0, 0, CLR_NONE, CLR_DEFAULT, look);
    }
    if (content.hasText) {
        SetTextColor(dc, SkinTextColour(window, state.enabled ? SkinColour::ToolbarText : SkinColour::ToolbarTextDisabled, skin));
        RECT box = ToRect(places.text);
        // Beside a picture the text starts after it; a text alone is centred, as the system does.
        const UINT alignment = !content.textBesideImage ? DT_CENTER | DT_TOP
                               : places.image.Empty()   ? DT_CENTER | DT_VCENTER
                                                        : DT_LEFT | DT_VCENTER;
        DrawTextW(dc, text.c_str(), -1, &box, alignment | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    }
    if (arrow) {
        const SkinPart glyph = state.enabled ? SkinPart::ToolbarDropArrow : SkinPart::ToolbarDropArrowDisabled;
        const ImagePart& part = skin.Part(glyph);
        DrawSkinPart(dc, ToRect(CentredIn(places.arrow, part.width, part.height)), glyph, skin);
    }
}

}  // namespace qivyun::skin
