#pragma once
// Windows the gallery opens beside itself, owned by it, so that each bar kind shows on its own: a
// docking window with a rebar of two bands (a toolbar "工具" and a combo box "地址", each with a
// gripper and a label) above a framework control bar and a band window, and a floating bar window
// that its host makes of the fitted-frame type, holding a toolbar.
#include <windows.h>

namespace qivyun::gallery {

inline constexpr wchar_t DockingWindowClass[] = L"QivYunGalleryDocking";
inline constexpr wchar_t FloatingBarClass[] = L"QivYunGalleryFloatingBar";
// The framework control bar's class: a framework's name for its bars, with our suffix.
inline constexpr wchar_t FrameworkBarClass[] = L"AfxControlBarQivYun";
inline constexpr wchar_t BandWindowClass[] = L"TravelBand";

// Opens both beside the gallery's window, on its left where the screen has room.
void OpenBarWindows(HWND gallery);

}  // namespace qivyun::gallery
