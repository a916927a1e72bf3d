#include "skin/kinds/TabControlSkinner.h"

#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/kinds/TabLooks.h"
#include "skin/patching/Unpatched.h"

#include <commctrl.h>

#include <algorithm>
#include <iterator>
#include <vector>

namespace qivyun::skin {
namespace {

constexpr int TextInset = 6;  // between a tab's edges and its picture or text

TabPlacement PlacementOf(LONG style) {
    if (style & TCS_BUTTONS) return TabPlacement::Buttons;
    return (style & TCS_BOTTOM) ? TabPlacement::Below : TabPlacement::Above;
}

}  // namespace

LRESULT TabControlSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (DrawnBySystem()) return CallPrevious(message, wParam, lParam);
    switch (message) {
    case WM_PAINT:
        // The system's paint only validates; the tabs are drawn through the window DC.
        PaintBetweenBeginAndEnd(window, [](HDC) {});
        DrawTabs();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_MOUSEMOVE:
        if (hotTab_.Moved(window, TabAtPointer(lParam))) DrawTabs();
        break;
    case WM_MOUSELEAVE:
        if (hotTab_.Left()) DrawTabs();
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
        // The focus mark and the disabled look at once, not at the next change of tab.
        return CallPreviousThen(message, wParam, lParam, [this] { DrawTabs(); });
    default:
        break;
    }
    return CallPrevious(message, wParam, lParam);
}

bool TabControlSkinner::DrawnBySystem() const {
    return (unpatched::GetWindowLongA(window, GWL_STYLE) & (TCS_VERTICAL | TCS_OWNERDRAWFIXED)) != 0;
}

int TabControlSkinner::TabAtPointer(LPARAM pointInClient) const {
    TCHITTESTINFO hit{crack::Point(pointInClient), 0};
    return static_cast<int>(CallPrevious(TCM_HITTEST, 0, RecordParameter(&hit)));
}

void TabControlSkinner::DrawTabs() {
    const SkinData& skin = Skin();
    PaintWindowOffScreen(
        window, skin,
        [this, &skin](HDC dc, const RECT& all) {
            FillSkinBackground(window, dc, all, skin);
            const RECT client = ClientRectInWindow(window);
            SetViewportOrgEx(dc, client.left, client.top, nullptr);
            const TabPlacement placement = PlacementOf(unpatched::GetWindowLongA(window, GWL_STYLE));
            const bool enabled = IsWindowEnabled(window) != FALSE;

            // Asked of the control's own procedure, which the messages would reach past the thread's hooks.
            const int count = static_cast<int>(CallPrevious(TCM_GETITEMCOUNT, 0, 0));
            const int selected = static_cast<int>(CallPrevious(TCM_GETCURSEL, 0, 0));
            std::vector<SkinRect> items;
            for (int index = 0; index < count; ++index) {
                RECT rect{};
                CallPrevious(TCM_GETITEMRECT, static_cast<WPARAM>(index), RecordParameter(&rect));
                items.push_back(ToSkinRect(rect));
            }
            const SkinRect inClient{0, 0, client.right - client.left, client.bottom - client.top};
            const SkinRect pane = TabPaneRect(inClient, items, placement);
            if (!pane.Empty()) DrawSkinPart(dc, ToRect(pane), enabled ? SkinPart::TabPane : SkinPart::TabPaneDisabled, skin);

            SetBkMode(dc, TRANSPARENT);
            SelectedObject font(dc, SkinnerFont(window, SkinFontSlot::TabFont, skin));
            // The open tab last, over its neighbours' edges.
            for (int index = 0; index < count; ++index)
                if (index != selected) DrawTab(dc, index, ToRect(items[size_t(index)]), false, skin);
            if (selected >= 0 && selected < count)
                DrawTab(dc, selected, ToRect(OpenTabRect(items[size_t(selected)], placement)), true, skin);
        },
        ChildWindows::Spared);
}

void TabControlSkinner::DrawTab(HDC dc, int index, const RECT& rect, bool selected, const SkinData& skin) {
    const TabPlacement placement = PlacementOf(unpatched::GetWindowLongA(window, GWL_STYLE));
    const TabState state{selected, index == hotTab_.Current(), IsWindowEnabled(window) != FALSE};
    DrawSkinPart(dc, rect, TabPart(state, placement), skin);

    wchar_t text[256] = {};
    TCITEMW item{};
    item.mask = TCIF_TEXT | TCIF_IMAGE;
    item.pszText = text;
    item.cchTextMax = static_cast<int>(std::size(text));
    CallPrevious(TCM_GETITEMW, static_cast<WPARAM>(index), RecordParameter(&item));
    RECT inner{rect.left + TextInset, rect.top, rect.right - TextInset, rect.bottom};
    const auto images = reinterpret_cast<HIMAGELIST>(CallPrevious(TCM_GETIMAGELIST, 0, 0));
    int imageWidth = 0, imageHeight = 0;
    if (images && item.iImage >= 0 && ImageList_GetIconSize(images, &imageWidth, &imageHeight)) {
        ImageList_Draw(images, item.iImage, dc, inner.left, (rect.top + rect.bottom - imageHeight) / 2, ILD_TRANSPARENT);
        inner.left += imageWidth + TextInset / 2;
    }
    SetTextColor(dc, SkinTextColour(window, TabTextColour(state, placement), skin));
    RECT measured = inner;
    DrawTextW(dc, text, -1, &inner, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
    const int focused = static_cast<int>(CallPrevious(TCM_GETCURFOCUS, 0, 0));
    if (index == focused && GetFocus() == window && text[0]) {
        DrawTextW(dc, text, -1, &measured, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
        const int width = measured.right - measured.left, height = measured.bottom - measured.top;
        // Around the text, inside the tab's edges.
        RECT mark{(inner.left + inner.right - width) / 2 - 2, std::max<LONG>((inner.top + inner.bottom - height) / 2 - 1, rect.top + 3),
                  (inner.left + inner.right + width) / 2 + 2, std::min<LONG>((inner.top + inner.bottom + height) / 2 + 1, rect.bottom - 2)};
        DrawFocusRect(dc, &mark);
    }
}

}  // namespace qivyun::skin
