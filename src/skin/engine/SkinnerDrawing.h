#pragma once
// What the skinners share when they paint: the skin's parts, the host's overrides of a window's
// text colour ("ZOR_G"), background ("ZOR_H") and font ("ZOR_I"), the border in the non-client
// area, whole windows composed off screen and copied once, and the rectangles of the portable
// rules as the system's.
#include "skin/container/SkinData.h"
#include "skin/engine/SkinRect.h"

#include <windows.h>

#include <functional>
#include <optional>

namespace qivyun::skin {

class WindowSkinner;

inline RECT ToRect(const SkinRect& r) { return RECT{r.left, r.top, r.right, r.bottom}; }
inline SkinRect ToSkinRect(const RECT& r) { return SkinRect{r.left, r.top, r.right, r.bottom}; }

// A WM_PAINT served with the system's own BeginPaint and EndPaint, paint(dc) in between (with the
// paint DC; nothing when the system gives none).
void PaintBetweenBeginAndEnd(HWND window, const std::function<void(HDC)>& paint);

// The whole window (frame included) composed off screen by paint(buffer, window rectangle at the
// origin) and copied through the window's DC at once; nothing without a loaded skin. A control that
// holds windows of its own (a tab control's arrows, a toolbar's boxes) spares them: they draw
// themselves, and a picture copied over them would hide them until they do.
enum class ChildWindows { CoveredOver, Spared };
void PaintWindowOffScreen(HWND window, const SkinData& skin, const std::function<void(HDC, const RECT&)>& paint,
                          ChildWindows children = ChildWindows::CoveredOver);

// A WM_PAINT served with the client area composed off screen by paint(buffer, client rectangle)
// and copied once between the system's BeginPaint and EndPaint; with a DC given (a WM_PAINT or
// WM_PRINTCLIENT that names one) copied onto that DC instead. Only validates without a loaded skin.
void PaintClientOffScreen(HWND window, HDC given, const SkinData& skin, const std::function<void(HDC, const RECT&)>& paint);

// The window rectangle moved to the origin, and the client rectangle in the same coordinates.
RECT WindowRectAtOrigin(HWND window);
RECT ClientRectInWindow(HWND window);
// The whole window in its client coordinates (the frame lies at negative or outer values).
RECT WindowInClient(HWND window);

// A button's icon or bitmap (BM_GETIMAGE), or nothing.
HANDLE ButtonImage(HWND button, bool icon);
// The size of a picture: a bitmap's, or an icon's (half its mask's height when it has no colour
// bitmap); zero for none.
SIZE ImageSize(HANDLE image, bool icon);

void DrawSkinPart(HDC dc, const RECT& rect, SkinPart part, const SkinData& skin);

// What a host set on a window: a colour ("ZOR_G", "ZOR_H") and the font ("ZOR_I"); nothing, or
// null, where it set none.
std::optional<COLORREF> HostColour(HWND window, const char* property);
HFONT HostFont(HWND window);

// The window's "ZOR_H" colour as a solid fill, else the skin's background brush, its pattern lined
// up with the client area of the window's top-level window so that it meets the parent's seamlessly.
void FillSkinBackground(HWND window, HDC dc, const RECT& rect, const SkinData& skin);
// The window's "ZOR_G" colour, else the skin's colour.
COLORREF SkinTextColour(HWND window, SkinColour colour, const SkinData& skin);
// The window's "ZOR_I" font, else the skin's font of the slot, else the control's own font, else
// the engine's default text font.
HFONT SkinnerFont(HWND window, SkinFontSlot slot, const SkinData& skin);

// The window's non-client area alone (the client rectangle left out) composed off screen by
// paint(buffer, window rectangle at the origin) and copied once; nothing without one or a loaded skin.
void PaintFrameOffScreen(HWND window, const SkinData& skin, const std::function<void(HDC, const RECT&)>& paint);

// The non-client frame between the window rectangle and `inner` (window coordinates): with an edge
// style or WS_BORDER a 1-pixel line and a fill in the border colours of the window's state
// (disabled, focused, normal), else the skin's background. Nothing for a window without a
// non-client area.
void PaintNonClientBorder(HWND window, const RECT& inner, const SkinData& skin);
// The same for a window whose scroll bars the system draws: the system paints its non-client area
// first, then the skin's border goes over its edges only, the bars left as they are.
void PaintBorderAroundSystemBars(WindowSkinner& skinner, WPARAM region, const SkinData& skin);

}  // namespace qivyun::skin
