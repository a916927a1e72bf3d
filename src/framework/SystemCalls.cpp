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

}  // namespace

SystemCalls& CurrentSystemCalls() {
    static SystemCalls calls{RealMessageBox, RealShellOpen, RealEndProcess};
    return calls;
}

}  // namespace qivyun
