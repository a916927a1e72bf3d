#include "updater/UpdaterSettings.h"

#include "BuildConfig.h"
#include "framework/ProcessPaths.h"
#include "versioncheck/Manifest.h"

namespace qivyun {

UpdaterSettings UpdaterSettings::ForThisProcess() {
    return {ModulePath(), CurrentFolder(), ManifestLocalPath(), std::string(config::UpdateServerAddress) + ManifestServerPath};
}

}  // namespace qivyun
