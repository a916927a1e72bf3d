// Progress bars (horizontal, disabled, vertical) and a group box inside the section's own, enabled
// and disabled.
#include "gallery/GallerySections.h"

#include <commctrl.h>

namespace qivyun::gallery {
namespace {

HWND Progress(GallerySection& s, DWORD style, int x, int y, int width, int height, int position) {
    const HWND bar = s.Add(PROGRESS_CLASSW, "", style, x, y, width, height);
    SendMessageW(bar, PBM_SETPOS, static_cast<WPARAM>(position), 0);
    return bar;
}

}  // namespace

void AddProgressSection(GallerySection& s) {
    Progress(s, 0, 0, 4, 230, 16, 64);
    Progress(s, WS_DISABLED, 0, 28, 230, 16, 35);
    Progress(s, PBS_VERTICAL, 250, 4, 16, 108, 70);
    s.Add(L"Button", "分组框", BS_GROUPBOX, 0, 54, 110, 58);
    s.Add(L"Static", "分组内容", SS_LEFT, 12, 78, 90, 20);
    s.Add(L"Button", "不可用的分组框", WS_DISABLED | BS_GROUPBOX, 120, 54, 120, 58);
}

}  // namespace qivyun::gallery
