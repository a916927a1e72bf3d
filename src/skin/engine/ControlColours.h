#pragma once
// What a skinned window answers when a static control or a dialog it hosts asks for its colours
// (WM_CTLCOLORSTATIC, WM_CTLCOLORDLG): the skin's background brush, and for a static control the
// text colour of the skin: transparent text in the static-text colour of the host's state over a
// static that the skin does not draw itself (no skinner, or a framed-window one), the disabled
// static-text colour on the skin's background colour otherwise. Without a loaded skin, the
// previous procedure's answer.
#include "skin/container/SkinData.h"

#include <windows.h>

namespace qivyun::skin {

class WindowSkinner;

LRESULT AnswerControlColour(const WindowSkinner& host, const SkinData& skin, UINT message, WPARAM wParam,
                            LPARAM lParam);

}  // namespace qivyun::skin
