#pragma once
// Where the updater finds its files (paths in UTF-8): the running executable, the current directory,
// the manifest's local copy and its address on the update server; what the build trusts of a manifest; and the
// names of the files it replaces.
#include "versioncheck/ManifestCheck.h"

#include <string>

namespace qivyun {

inline constexpr char UpdaterFileName[] = "QivYunUpdate.exe";
inline constexpr char UpdaterTempFileName[] = "QivYunUpdate_Tmp.exe";
inline constexpr char PlayerFileName[] = "QivYunPlay.exe";

struct UpdaterSettings {
    std::string ownPath;
    std::string currentDirectory;
    std::string manifestPath;
    std::string manifestAddress;
    UpdateTrust trust = UpdateTrust::OfThisBuild();
    static UpdaterSettings ForThisProcess();
};

}  // namespace qivyun
