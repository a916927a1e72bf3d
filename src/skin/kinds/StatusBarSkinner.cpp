#include "skin/kinds/StatusBarSkinner.h"

#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/kinds/StatusBarLayout.h"
#include "skin/patching/Unpatched.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

namespace qivyun::skin {
namespace {

constexpr int TextInset = 4;  // between a part's edges and its icon or text

}  // namespace

LRESULT StatusBarSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        // The system's paint only validates; the bar is drawn through its window DC.
        PaintBetweenBeginAndEnd(window, [](HDC) {});
        DrawBar();
        return 0;
    case WM_NCPAINT: {
        const RECT outer = WindowRectAtOrigin(window), client = ClientRectInWindow(window);
        if (!EqualRect(&outer, &client)) DrawBar();
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    default:
        return CallPrevious(message, wParam, lParam);
    }
}

void StatusBarSkinner::DrawBar() {
    const SkinData& skin = Skin();
    PaintWindowOffScreen(window, skin, [this, &skin](HDC dc, const RECT& all) {
        DrawSkinPart(dc, all, SkinPart::StatusBarBackground, skin);
        const RECT client = ClientRectInWindow(window);
        SetViewportOrgEx(dc, client.left, client.top, nullptr);
        const int width = client.right - client.left, height = client.bottom - client.top;

        // Asked of the control's own procedure, which the messages would reach past the thread's hooks.
        const bool simple = CallPrevious(SB_ISSIMPLE, 0, 0) != 0;
        std::vector<SkinRect> parts;
        if (simple) {
            parts.push_back(SkinRect{0, 0, width, height});
        } else {
            const int count = static_cast<int>(CallPrevious(SB_GETPARTS, 0, 0));
            for (int part = 0; part < count; ++part) {
                RECT rect{};
                CallPrevious(SB_GETRECT, static_cast<WPARAM>(part), RecordParameter(&rect));
                parts.push_back(ToSkinRect(rect));
            }
        }
        const ImagePart& divider = skin.Part(SkinPart::StatusBarDivider);
        for (const SkinRect& line : StatusDividers(parts, divider.width, width, 0, height))
            DrawSkinPart(dc, ToRect(line), SkinPart::StatusBarDivider, skin);
        const LONG style = unpatched::GetWindowLongA(window, GWL_STYLE);
        if ((style & SBARS_SIZEGRIP) && !IsZoomed(GetAncestor(window, GA_ROOT))) {
            const ImagePart& grip = skin.Part(SkinPart::StatusBarGrip);
            const SkinRect place = StatusGripRect(width, height, grip.width, grip.height);
            DrawSkinPart(dc, ToRect(place), SkinPart::StatusBarGrip, skin);
            // No text runs under the grip.
            for (SkinRect& part : parts) part.right = std::min(part.right, place.left);
        }

        SetBkMode(dc, TRANSPARENT);
        SetTextColor(dc, SkinTextColour(window, SkinColour::StatusBarText, skin));
        SelectedObject selected(dc, SkinnerFont(window, SkinFontSlot::StatusFont, skin));
        for (size_t part = 0; part < parts.size(); ++part)
            DrawPartContent(dc, simple ? SB_SIMPLEID : static_cast<int>(part), ToRect(parts[part]));
    });
}

void StatusBarSkinner::DrawPartContent(HDC dc, int part, const RECT& rect) {
    const LRESULT lengthAndType = CallPrevious(SB_GETTEXTLENGTHW, static_cast<WPARAM>(part), 0);
    if (HIWORD(lengthAndType) & SBT_OWNERDRAW) {
        // The parent draws the part as it would on the system's bar, into the composed picture.
        DRAWITEMSTRUCT item{};
        item.CtlID = static_cast<UINT>(GetDlgCtrlID(window));
        item.itemID = static_cast<UINT>(part);
        item.hwndItem = window;
        item.hDC = dc;
        item.rcItem = rect;
        item.itemData = static_cast<ULONG_PTR>(CallPrevious(SB_GETTEXTW, static_cast<WPARAM>(part), 0));
        Engine().RememberDcOwner(dc, window);
        SendMessageW(GetParent(window), WM_DRAWITEM, item.CtlID, RecordParameter(&item));
        Engine().ForgetDcOwner(dc);
        return;
    }
    RECT inner{rect.left + TextInset, rect.top, rect.right - TextInset, rect.bottom};
    if (part != SB_SIMPLEID) {
        if (const auto icon = reinterpret_cast<HICON>(CallPrevious(SB_GETICON, static_cast<WPARAM>(part), 0))) {
            const int size = GetSystemMetrics(SM_CXSMICON);
            DrawIconEx(dc, inner.left, (rect.top + rect.bottom - size) / 2, icon, size, size, 0, nullptr, DI_NORMAL);
            inner.left += size + TextInset;
        }
    }
    std::wstring text(LOWORD(lengthAndType) + 1, L'\0');
    CallPrevious(SB_GETTEXTW, static_cast<WPARAM>(part), RecordParameter(text.data()));
    text.resize(wcslen(text.c_str()));
    const StatusTextColumns columns = SplitStatusText(text);
    const UINT format = DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS;
    const std::pair<std::wstring_view, UINT> aligned[] = {
        {columns.left, DT_LEFT}, {columns.centre, DT_CENTER}, {columns.right, DT_RIGHT}};
    for (const auto& [column, alignment] : aligned) {
        if (column.empty()) continue;
        RECT box = inner;
        DrawTextW(dc, column.data(), static_cast<int>(column.size()), &box, format | alignment);
    }
}

}  // namespace qivyun::skin
