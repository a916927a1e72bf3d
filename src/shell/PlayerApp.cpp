#include "shell/PlayerApp.h"

#include "BuildConfig.h"
#include "common/CodePage.h"
#include "framework/GdiplusInclude.h"
#include "framework/SystemCalls.h"
#include "shell/BrowserControl.h"
#include "shell/MainDialog.h"
#include "skin/SkinEngine.h"

#include <wininet.h>

namespace qivyun {

PlayerApp::PlayerApp(std::string probeAddress, StartupCheckSettings checkSettings)
    : probeAddress_(std::move(probeAddress)), checkSettings_(std::move(checkSettings)) {}

PlayerApp::PlayerApp() : PlayerApp(config::ProbeAddress, StartupCheckSettings::ForThisProcess()) {}

bool PlayerApp::InitInstance() {
    EnableControlContainer();
    EnsureSingleInstance();
    EnsureConnectivity();
    BrowserControl::UseCurrentDocumentMode();

    Gdiplus::GdiplusStartupInput input;  // version 1, no debug callback, nothing suppressed
    Gdiplus::GdiplusStartup(&gdiplusToken_, &input, nullptr);
    ++gdiplusStarts_;

    // From here on the engine skins every window of this thread.
    skin::AttachSkinEngine(ModuleInstance());

    {
        MainDialog mainDialog(checkSettings_);
        mainWindow_ = &mainDialog;
        mainDialog.DoModal();
        mainWindow_ = nullptr;
    }
    return false;
}

int PlayerApp::ExitInstance() {
    if (gdiplusStarts_ > gdiplusShutdowns_) {
        Gdiplus::GdiplusShutdown(gdiplusToken_);
        ++gdiplusShutdowns_;
    }
    return Application::ExitInstance();
}

void PlayerApp::EnsureSingleInstance() {
    HANDLE mutex = CreateMutexW(nullptr, TRUE, PlayerMutexName);
    bool alreadyRunning = mutex && GetLastError() == ERROR_ALREADY_EXISTS;
    instanceMutex_.Reset(mutex);
    if (alreadyRunning) {
        ShowMessageBox(nullptr, AlreadyRunningText, AlreadyRunningCaption, MB_OK | MB_ICONWARNING);
        instanceMutex_.Reset();
        EndProcess(0);
    }
}

void PlayerApp::EnsureConnectivity() {
    if (!InternetCheckConnectionW(WideFromGbk(probeAddress_).c_str(), FLAG_ICC_FORCE_CONNECTION, 0)) {
        ShowMessageBox(nullptr, NoNetworkText, NoNetworkCaption, MB_OK | MB_ICONWARNING);
        EndProcess(0);
    }
}

}  // namespace qivyun
