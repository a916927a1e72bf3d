#pragma once
// The application object: one per program, with its start and exit hooks.
#include <windows.h>

namespace qivyun {

class Window;

class Application {
public:
    virtual ~Application() = default;

    // InitInstance; its message loop when it returns true; then ExitInstance, whose value is the
    // process exit code.
    int Run();

    // The window that stands for the program while it runs (the main dialog during its modal run).
    Window* MainWindow() const { return mainWindow_; }

protected:
    virtual bool InitInstance() = 0;
    virtual int ExitInstance() { return exitCode_; }

    // Hosting of ActiveX controls in the program's windows (OLE on this thread).
    static void EnableControlContainer();

    Window* mainWindow_ = nullptr;
    int exitCode_ = 0;
};

}  // namespace qivyun
