#include "framework/DeviceContext.h"
void Paint(HWND window) {
    HDC dc = GetDC(window);
}
