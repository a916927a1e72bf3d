#pragma once
// Replaces the message box, shell open and process end for the life of the object and records
// every call. Ending the process throws ProcessEnded instead, so a test sees where a run stops.
#include "framework/SystemCalls.h"

#include <string>
#include <utility>
#include <vector>

namespace qivyun::test {

struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
    DWORD thread;  // the thread that showed it
};

// What the shell was handed, as the system takes it: UTF-16.
struct ShellOpenCall {
    HWND owner;
    std::wstring file;
    std::wstring parameters;
    int showCommand;
};

struct PopupMenuCall {
    HWND owner;
    int x, y;
    UINT flags;
    // The pop-up's items in order: command id and text (GBK, read from the menu in UTF-16).
    std::vector<std::pair<UINT, std::string>> items;
};

struct ProcessEnded {
    UINT exitCode;
};

class SystemCallRecorder {
public:
    SystemCallRecorder();
    ~SystemCallRecorder();
    SystemCallRecorder(const SystemCallRecorder&) = delete;
    SystemCallRecorder& operator=(const SystemCallRecorder&) = delete;

    std::vector<MessageBoxCall> messageBoxes;
    std::vector<ShellOpenCall> shellOpens;
    std::vector<PopupMenuCall> popupMenus;
    // What the next message boxes answer (IDOK when empty).
    std::vector<int> answers;
    // The commands the next pop-up menus choose (none when empty); posted to the owner as the
    // platform's menu tracking does.
    std::vector<UINT> menuChoices;

private:
    SystemCalls saved_;
};

}  // namespace qivyun::test
