#include "updater/UpdaterApp.h"

#include "framework/SystemCalls.h"
#include "framework/Text.h"
#include "skin/SkinEngine.h"
#include "updater/TcpSocket.h"
#include "updater/UpdaterResourceIds.h"

namespace qivyun {

UpdaterApp::UpdaterApp(UpdaterSettings settings) : settings_(std::move(settings)) {}
UpdaterApp::UpdaterApp() : UpdaterApp(UpdaterSettings::ForThisProcess()) {}

bool UpdaterApp::InitInstance() {
    if (!StartSocketLayer()) {
        ShowMessageBox(nullptr, LoadGbkString(ModuleInstance(), IDS_SOCKETS_FAILED).c_str(), UpdaterCaption, MB_OK);
        return false;
    }
    EnableControlContainer();
    UpdaterDialog dialog(settings_);
    mainWindow_ = &dialog;
    skin::AttachSkinEngine(ModuleInstance());
    dialog.DoModal();
    mainWindow_ = nullptr;
    return false;
}

}  // namespace qivyun
