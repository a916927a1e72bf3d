#include "updater/UpdaterSettings.h"

#include "BuildConfig.h"
#include "versioncheck/Manifest.h"

#include <windows.h>

namespace qivyun {

UpdaterSettings UpdaterSettings::ForThisProcess() {
    char own[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, own, MAX_PATH);
    char directory[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, directory);
    return {own, directory, ManifestLocalPath(), std::string(config::UpdateServerAddress) + ManifestServerPath};
}

}  // namespace qivyun
