// Scroll-bar controls (horizontal, vertical, disabled), up-down controls with a buddy edit box and
// across, and trackbars (ticks below, ticks on both sides, vertical, disabled). The gallery moves
// the scroll bars as their messages say; the others keep their own state.
#include "gallery/GallerySections.h"

#include <commctrl.h>

namespace qivyun::gallery {
namespace {

HWND ScrollBar(GallerySection& s, DWORD style, int x, int y, int width, int height, int position) {
    const HWND bar = s.Add(L"ScrollBar", "", style, x, y, width, height);
    SCROLLINFO info{sizeof info, SIF_RANGE | SIF_PAGE | SIF_POS, 0, 100, 20, position, 0};
    SetScrollInfo(bar, SB_CTL, &info, TRUE);
    return bar;
}

HWND Trackbar(GallerySection& s, DWORD style, int x, int y, int width, int height, int position) {
    const HWND bar = s.Add(TRACKBAR_CLASSW, "", WS_TABSTOP | style, x, y, width, height);
    SendMessageW(bar, TBM_SETRANGE, FALSE, MAKELPARAM(0, 10));
    SendMessageW(bar, TBM_SETTICFREQ, 1, 0);
    SendMessageW(bar, TBM_SETPOS, TRUE, position);
    return bar;
}

}  // namespace

void AddRangeSection(GallerySection& s) {
    ScrollBar(s, WS_TABSTOP | SBS_HORZ, 0, 4, 230, 17, 30);
    ScrollBar(s, SBS_HORZ | WS_DISABLED, 0, 28, 230, 17, 0);
    ScrollBar(s, SBS_VERT, 250, 4, 17, 120, 50);

    const HWND buddy = s.Add(L"Edit", "", WS_TABSTOP | ES_NUMBER, 0, 58, 70, 24, WS_EX_CLIENTEDGE);
    const HWND spin = s.Add(UPDOWN_CLASSW, "", UDS_SETBUDDYINT | UDS_ALIGNRIGHT | UDS_ARROWKEYS, 0, 0, 0, 0);
    SendMessageW(spin, UDM_SETBUDDY, reinterpret_cast<WPARAM>(buddy), 0);
    SendMessageW(spin, UDM_SETRANGE32, 0, 99);
    SendMessageW(spin, UDM_SETPOS32, 0, 12);
    const HWND across = s.Add(UPDOWN_CLASSW, "", UDS_HORZ, 90, 60, 36, 20);
    SendMessageW(across, UDM_SETRANGE32, 0, 10);
    s.Add(UPDOWN_CLASSW, "", WS_DISABLED, 140, 58, 17, 24);

    Trackbar(s, TBS_AUTOTICKS | TBS_BOTTOM, 0, 96, 230, 34, 4);
    Trackbar(s, TBS_AUTOTICKS | TBS_BOTH, 0, 136, 230, 40, 7);
    Trackbar(s, TBS_AUTOTICKS | WS_DISABLED, 0, 182, 230, 34, 2);
    Trackbar(s, TBS_AUTOTICKS | TBS_VERT | TBS_RIGHT, 240, 132, 36, 170, 6);
    s.Add(L"Static", "拖动滑块、点击微调按钮或滚动条，控件照常工作。", SS_LEFT, 0, 226, 230, 40);
}

}  // namespace qivyun::gallery
