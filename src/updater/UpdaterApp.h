#pragma once
// QivYunUpdate's application object: the sockets layer, then the updater window as a modal dialog.
#include "framework/Application.h"
#include "updater/UpdaterDialog.h"

namespace qivyun {

class UpdaterApp : public Application {
public:
    explicit UpdaterApp(UpdaterSettings settings);
    UpdaterApp();

protected:
    bool InitInstance() override;

private:
    UpdaterSettings settings_;
};

}  // namespace qivyun
