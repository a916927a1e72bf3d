#pragma once
// The few platform calls that would block a test or end the process go through this table.
// The programs use the real calls; tests install recorders.
#include <windows.h>

#include <string>
#include <string_view>

namespace qivyun {

struct SystemCalls {
    // The texts are GBK; the real call shows them through MessageBoxW.
    int (*messageBox)(HWND owner, const char* text, const char* caption, UINT type);
    // The shell's verb "open" on a file or address, no working directory.
    HINSTANCE (*shellOpen)(HWND owner, const wchar_t* file, const wchar_t* parameters, int showCommand);
    void (*endProcess)(UINT exitCode);
    // Tracks a pop-up menu; the chosen command reaches the owner as an ordinary command message.
    BOOL (*trackPopupMenu)(HMENU popup, UINT flags, int x, int y, HWND owner) = nullptr;
};

// The table in force; tests swap it (see ScopedSystemCalls in the test support).
SystemCalls& CurrentSystemCalls();

inline int ShowMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return CurrentSystemCalls().messageBox(owner, text, caption, type);
}

inline HINSTANCE ShellOpen(HWND owner, const std::wstring& file, const std::wstring& parameters, int showCommand) {
    return CurrentSystemCalls().shellOpen(owner, file.c_str(), parameters.empty() ? nullptr : parameters.c_str(),
                                          showCommand);
}
// A web address or a program's name as the programs keep them (GBK), with a GBK parameter text.
HINSTANCE OpenAddress(HWND owner, std::string_view address, std::string_view parameters = {});
// The program at a path (UTF-8, as the programs keep file names), without parameters.
HINSTANCE StartProgram(std::string_view path);

inline BOOL TrackPopup(HMENU popup, UINT flags, int x, int y, HWND owner) {
    return CurrentSystemCalls().trackPopupMenu(popup, flags, x, y, owner);
}

// Ends the own process at once: no destructor and no exit step runs.
inline void EndProcess(UINT exitCode) { CurrentSystemCalls().endProcess(exitCode); }

}  // namespace qivyun
