#pragma once
// The process-wide redirection of the system's text, window-long, paint, DC, region and scroll-bar
// functions to the engine's replacements. A replacement first asks whether the window (or DC) is
// the engine's business and otherwise goes straight to the system's code, from any thread.
#include "skin/patching/FunctionPatch.h"

#include <span>

namespace qivyun::skin {

struct RedirectedFunction {
    const char* module;
    const char* name;
    void* replacement;
    void** unpatched;  // the entry of qivyun::unpatched that the trampoline takes over
    FunctionPatch patch;
};

// Patches every function of the table that is not patched yet; the engine does it once, at attach.
void InstallRedirections();
// The table: the 21 functions, and in 64-bit code the four pointer-sized window-long functions.
std::span<RedirectedFunction> RedirectedFunctions();

// Black text that ExtTextOutA/W draw into dc comes out in colour until the DC is cleared with null.
void RecolourBlackText(HDC dc, COLORREF colour);
// A DC handed out for a window: WindowFromDC answers the window for it until it is forgotten.
void RememberDcOwner(HDC dc, HWND window);
void ForgetDcOwner(HDC dc);

}  // namespace qivyun::skin
