#include "updater/UpdaterApp.h"

#include "framework/SystemCalls.h"
#include "skin/SkinEngine.h"
#include "updater/TcpSocket.h"
#include "updater/UpdaterResourceIds.h"

namespace qivyun {

UpdaterApp::UpdaterApp(UpdaterSettings settings) : settings_(std::move(settings)) {}
UpdaterApp::UpdaterApp() : UpdaterApp(UpdaterSettings::ForThisProcess()) {}

bool UpdaterApp::InitInstance() {
    if (!StartSocketLayer()) {
        char text[256] = {};
        LoadStringA(GetModuleHandleA(nullptr), IDS_SOCKETS_FAILED, text, sizeof text);
        ShowMessageBox(nullptr, text, UpdaterCaption, MB_OK);
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
