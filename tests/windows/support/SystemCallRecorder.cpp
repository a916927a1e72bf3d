#include "SystemCallRecorder.h"

#include "common/CodePage.h"

namespace qivyun::test {
namespace {

SystemCallRecorder* active = nullptr;

int RecordMessageBox(HWND owner, const char* text, const char* caption, UINT type) {
    active->messageBoxes.push_back({owner, text ? text : "", caption ? caption : "", type, GetCurrentThreadId()});
    if (active->answers.empty()) return IDOK;
    int answer = active->answers.front();
    active->answers.erase(active->answers.begin());
    return answer;
}

HINSTANCE RecordShellOpen(HWND owner, const wchar_t* file, const wchar_t* parameters, int showCommand) {
    active->shellOpens.push_back({owner, file ? file : L"", parameters ? parameters : L"", showCommand});
    return reinterpret_cast<HINSTANCE>(static_cast<INT_PTR>(33));  // above 32: success
}

BOOL RecordTrackPopupMenu(HMENU popup, UINT flags, int x, int y, HWND owner) {
    PopupMenuCall call{owner, x, y, flags, {}};
    for (int i = 0; i < GetMenuItemCount(popup); ++i) {
        wchar_t text[256] = {};
        GetMenuStringW(popup, static_cast<UINT>(i), text, static_cast<int>(std::size(text)), MF_BYPOSITION);
        call.items.emplace_back(GetMenuItemID(popup, i), GbkFromWide(text));
    }
    active->popupMenus.push_back(std::move(call));
    if (active->menuChoices.empty()) return FALSE;
    UINT choice = active->menuChoices.front();
    active->menuChoices.erase(active->menuChoices.begin());
    PostMessageW(owner, WM_COMMAND, MAKEWPARAM(choice, 0), 0);
    return TRUE;
}

void RecordEndProcess(UINT exitCode) { throw ProcessEnded{exitCode}; }

}  // namespace

SystemCallRecorder::SystemCallRecorder() : saved_(CurrentSystemCalls()) {
    active = this;
    CurrentSystemCalls() = SystemCalls{RecordMessageBox, RecordShellOpen, RecordEndProcess, RecordTrackPopupMenu};
}

SystemCallRecorder::~SystemCallRecorder() {
    CurrentSystemCalls() = saved_;
    active = nullptr;
}

}  // namespace qivyun::test
