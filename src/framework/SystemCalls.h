#pragma once
// The few platform calls that would block a test or end the process go through this table.
// The programs use the real calls; tests install recorders.
#include <windows.h>

namespace qivyun {

struct SystemCalls {
    int (*messageBox)(HWND owner, const char* text, const char* caption, UINT type);
    // The shell's verb "open" on a file or address, no working directory.
    HINSTANCE (*shellOpen)(HWND owner, const char* file, const char* parameters, int showCommand);
    void (*endProcess)(UINT exitCode);
    // Tracks a pop-up menu; the chosen command reaches the owner as an ordinary command message.
    BOOL (*trackPopupMenu)(HMENU popup, UINT flags, int x, int y, HWND owner) = nullptr;
};

// The table in force; tests swap it (see ScopedSystemCalls in the test support).
SystemCalls& CurrentSystemCalls();

inline int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return CurrentSystemCalls().messageBox(owner, text, caption, type);
}

inline HINSTANCE ShellOpen(HWND owner, const char* file, const char* parameters, int showCommand) {
    return CurrentSystemCalls().shellOpen(owner, file, parameters, showCommand);
}

inline BOOL TrackPopup(HMENU popup, UINT flags, int x, int y, HWND owner) {
    return CurrentSystemCalls().trackPopupMenu(popup, flags, x, y, owner);
}

// Ends the own process at once: no destructor and no exit step runs.
inline void EndProcess(UINT exitCode) { CurrentSystemCalls().endProcess(exitCode); }

}  // namespace qivyun
