#include "skin/kinds/HeaderSkinner.h"

#include "framework/DeviceContext.h"
#include "framework/MessageCrackers.h"
#include "skin/engine/SkinnerDrawing.h"
#include "skin/kinds/HeaderLooks.h"

#include <commctrl.h>

#include <iterator>
#include <vector>

namespace qivyun::skin {
namespace {

constexpr DWORD HoverTimeMs = 1;
constexpr int TextInset = 6;  // between a column's edges and its picture or text

}  // namespace

LRESULT HeaderSkinner::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_PAINT:
        // The system's paint only validates; the header is drawn through its window DC.
        painting_ = true;
        PaintBetweenBeginAndEnd(window, [](HDC) {});
        painting_ = false;
        DrawHeader();
        return 0;
    case WM_ERASEBKGND: {
        // The erase that the paint's beginning asks for would be drawn over at once.
        if (painting_) return 1;
        if (const SkinData* skin = LoadedSkin()) {
            RECT client;
            GetClientRect(window, &client);
            FillSkinBackground(window, crack::Dc(wParam), client, *skin);
        }
        return 1;
    }
    case WM_MOUSEMOVE: {
        TRACKMOUSEEVENT request{sizeof(request), TME_HOVER | TME_LEAVE, window, HoverTimeMs};
        TrackMouseEvent(&request);
        break;
    }
    case WM_MOUSEHOVER: {
        const int column = ColumnAtPointer();
        if (column != hotColumn) {
            mouseState = 1;
            hotColumn = column;
            DrawHeader();
        }
        break;
    }
    case WM_MOUSELEAVE:
        if (mouseState != 0) {
            mouseState = 0;
            hotColumn = -1;
            DrawHeader();
        }
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (mouseState != 2) {
            mouseState = 2;
            DrawHeader();
        }
        break;
    case WM_LBUTTONUP:
        if (mouseState != 1) {
            mouseState = 1;
            DrawHeader();
        }
        break;
    case WM_ENABLE:
        // Disabled at once, not at the next paint.
        return CallPreviousThen(message, wParam, lParam, [this] { DrawHeader(); });
    default:
        break;
    }
    return CallPrevious(message, wParam, lParam);
}

int HeaderSkinner::ColumnAtPointer() const {
    POINT pointer;
    GetCursorPos(&pointer);
    RECT place;
    GetWindowRect(window, &place);
    const int count = Header_GetItemCount(window);
    std::vector<SkinRect> columns;
    for (int position = 0; position < count; ++position) {
        RECT item{};
        Header_GetItemRect(window, Header_OrderToIndex(window, position), &item);
        columns.push_back(ToSkinRect(item));
    }
    return ColumnAtPoint(columns, pointer.x - place.left, pointer.y - place.top);
}

void HeaderSkinner::DrawHeader() {
    const SkinData& skin = Skin();
    PaintWindowOffScreen(window, skin, [this, &skin](HDC dc, const RECT& all) {
        DrawSkinPart(dc, all, SkinPart::HeaderItem, skin);
        SetBkMode(dc, TRANSPARENT);
        SelectedObject font(dc, SkinnerFont(window, SkinFontSlot::HeaderFont, skin));
        const bool enabled = IsWindowEnabled(window) != FALSE;
        const HIMAGELIST images = Header_GetImageList(window);
        const int count = Header_GetItemCount(window);
        for (int position = 0; position < count; ++position) {
            const int index = Header_OrderToIndex(window, position);
            wchar_t text[256] = {};
            HDITEMW item{};
            item.mask = HDI_WIDTH | HDI_TEXT | HDI_FORMAT | HDI_BITMAP | HDI_IMAGE;
            item.pszText = text;
            item.cchTextMax = static_cast<int>(std::size(text));
            SendMessageW(window, HDM_GETITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item));
            RECT rect{};
            Header_GetItemRect(window, index, &rect);

            const SkinPart part = HeaderColumnPart(position, hotColumn, mouseState, enabled);
            DrawSkinPart(dc, rect, part, skin);
            const int itemTop = rect.top, itemBottom = rect.bottom;
            rect.left += TextInset;
            rect.right -= TextInset;
            int imageWidth = 0, imageHeight = 0;
            if (images && (item.fmt & HDF_IMAGE) && item.iImage >= 0 &&
                ImageList_GetIconSize(images, &imageWidth, &imageHeight)) {
                ImageList_Draw(images, item.iImage, dc, rect.left, (itemTop + itemBottom - imageHeight) / 2,
                               ILD_TRANSPARENT);
                rect.left += imageWidth + TextInset;
            }
            if (!text[0]) continue;
            SetTextColor(dc, skin.Colour(HeaderTextColour(part)));
            const UINT alignment = (item.fmt & HDF_CENTER) ? DT_CENTER : (item.fmt & HDF_RIGHT) ? DT_RIGHT : DT_LEFT;
            // A column too narrow for its title ends it in an ellipsis, never in half a character.
            DrawTextW(dc, text, -1, &rect, alignment | DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
    });
}

}  // namespace qivyun::skin
