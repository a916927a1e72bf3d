// Resource ids of the waiting popup's template; included by the program's resource ids and the code.
#pragma once

#define IDD_WAITING_POPUP 136
#define IDR_BUSY_ANIMATION 138  // type "Gif"
#define IDC_BUSY_ANIMATION 1020
#define IDC_POPUP_MESSAGE 1041
