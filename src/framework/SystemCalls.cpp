#include "framework/SystemCalls.h"

#include "common/CodePage.h"

#include <shellapi.h>

namespace qivyun {
namespace {

int RealMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    return MessageBoxW(owner, WideFromGbk(text ? text : "").c_str(), caption ? WideFromGbk(caption).c_str() : nullptr,
                       type);
}

HINSTANCE RealShellOpen(HWND owner, const wchar_t* file, const wchar_t* parameters, int showCommand) {
    return ShellExecuteW(owner, L"open", file, parameters, nullptr, showCommand);
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

HINSTANCE OpenAddress(HWND owner, std::string_view address, std::string_view parameters) {
    return ShellOpen(owner, WideFromGbk(address), WideFromGbk(parameters), SW_SHOW);
}

HINSTANCE StartProgram(std::string_view path) { return ShellOpen(nullptr, WideFromUtf8(path), {}, SW_SHOW); }

}  // namespace qivyun
