#pragma once
// Replaces the message box, shell open and process end for the life of the object and records
// every call. Ending the process throws ProcessEnded instead, so a test sees where a run stops.
#include "framework/SystemCalls.h"

#include <string>
#include <vector>

namespace qivyun::test {

struct MessageBoxCall {
    HWND owner;
    std::string text;
    std::string caption;
    UINT type;
};

struct ShellOpenCall {
    HWND owner;
    std::string file;
    std::string parameters;
    int showCommand;
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
    // What the next message boxes answer (IDOK when empty).
    std::vector<int> answers;

private:
    SystemCalls saved_;
};

}  // namespace qivyun::test
