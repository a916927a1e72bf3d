#include "framework/SystemCalls.h"

#include <shellapi.h>

namespace qivyun {
namespace {

int RealMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxA(owner, text, caption, type);
}

HINSTANCE RealShellOpen(HWND owner, const char* file, const char* parameters, int showCommand) {
    return ShellExecuteA(owner, "open", file, parameters, nullptr, showCommand);
}

void RealEndProcess(UINT exitCode) { TerminateProcess(GetCurrentProcess(), exitCode); }

BOOL RealTrackPopupMenu(HMENU popup, UINT flags, int x, int y, HWND owner) {
    return TrackPopupMenu(popup, flags, x, y, 0, owner, nullptr);
}

}  // namespace

SystemCalls& CurrentSystemCalls() {
    static SystemCalls calls{RealMessageBox, RealShellOpen, RealEndProcess, RealTrackPopupMenu};
    return calls;
}

}  // namespace qivyun
