#pragma once
// A framework-style frame window beside the gallery: a menu bar over an MDI client holding two
// documents, with a panel docked at its left holding a text, a check box and an edit box.
#include <windows.h>

namespace qivyun::gallery {

// The class name holds "Afx:", as the frameworks' frame windows do.
inline constexpr wchar_t FrameworkWindowClass[] = L"Afx:QivYunGalleryFrame";

// Opens the window, owned by the gallery (it goes with it), right of it on the screen.
HWND OpenFrameworkWindow(HWND gallery);

}  // namespace qivyun::gallery
