#include "framework/Application.h"

#include "framework/Dialog.h"

#include <ole2.h>

namespace qivyun {

int Application::Run() {
    if (InitInstance()) {
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) {
            if (!Dialog::PreTranslate(message)) {
                TranslateMessage(&message);
                DispatchMessageW(&message);
            }
        }
        exitCode_ = static_cast<int>(message.wParam);
    }
    return ExitInstance();
}

void Application::EnableControlContainer() { OleInitialize(nullptr); }

}  // namespace qivyun
