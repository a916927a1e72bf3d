#include "updater/UpdateWorker.h"

#include "framework/Handles.h"
#include "framework/SystemCalls.h"
#include "updater/DownloadProgress.h"
#include "versioncheck/Manifest.h"
#include "versioncheck/Md5.h"

#include <tlhelp32.h>

namespace qivyun {
namespace {

bool FileExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// A program arrives in a side file beside its place, so that a download that is short, broken or
// not the one the manifest names never takes the place of a working program.
constexpr char SideSuffix[] = ".new";

// Asks the window for the download and waits for its end; false when the window went first.
bool RequestDownload(const UpdateWorkerWindow& window, const std::string& url, const std::string& target,
                     const std::string& sideSuffix = {}) {
    return window.gate->Run([&] { window.startDownload(url, target, sideSuffix); }) &&
           window.gate->Wait(*window.downloadEnded);
}

// Moves the downloaded side file over `path` in one step once its digest is the manifest's; a side
// file that does not match, or cannot take the place, is removed and `path` stays as it was.
bool InstallDownloaded(const std::string& path, const std::string& digest) {
    const std::string sidePath = path + SideSuffix;
    if (FileExists(sidePath) && SameDigest(ComputeFileMd5(sidePath), digest) &&
        MoveFileExA(sidePath.c_str(), path.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileA(sidePath.c_str());
    return false;
}

// The fixed waits after each download stay as the program has always had them.
void RunUpdateWorker(const UpdateWorkerWindow& window, const UpdaterSettings& settings) {
    if (!FileExists(settings.manifestPath)) {
        if (!RequestDownload(window, settings.manifestAddress, settings.manifestPath)) return;
        Sleep(1000);
        if (!FileExists(settings.manifestPath)) return EndProcess(0);
    }
    const auto value = [&](const char* section, const char* key, std::size_t size) {
        return ReadManifestValueAt(settings.manifestPath, section, key, size);
    };
    bool updateFailed = false;

    const std::string updaterDigest = value(manifest::UpdaterSection, manifest::DigestKey, manifest::DigestSize);
    const std::string updaterUrl = value(manifest::UpdaterSection, manifest::AddressKey, manifest::ProgramAddressSize);
    if (ManifestNamesOtherDigest(updaterDigest, ComputeFileMd5(settings.ownPath))) {
        const std::string temporaryPath = settings.currentDirectory + "\\" + UpdaterTempFileName;
        if (!RequestDownload(window, updaterUrl, temporaryPath, SideSuffix)) return;
        Sleep(500);
        // only a copy that is the manifest's updater is started
        if (InstallDownloaded(temporaryPath, updaterDigest)) {
            ShellOpen(nullptr, temporaryPath.c_str(), nullptr, SW_SHOW);
            return EndProcess(0);
        }
        updateFailed = true;
    }

    const std::string playerDigest = value(manifest::PlayerSection, manifest::DigestKey, manifest::DigestSize);
    const std::string playerUrl = value(manifest::PlayerSection, manifest::AddressKey, manifest::ProgramAddressSize);
    const std::string playerPath = settings.currentDirectory + "\\" + PlayerFileName;
    if (ManifestNamesOtherDigest(playerDigest, ComputeFileMd5(playerPath))) {
        if (!RequestDownload(window, playerUrl, playerPath, SideSuffix)) return;
        Sleep(500);
        if (InstallDownloaded(playerPath, playerDigest)) {
            ShellOpen(nullptr, playerPath.c_str(), nullptr, SW_SHOW);
            return EndProcess(0);
        }
        // the old program (if there is one) is untouched: its digest still differs, nothing starts
        if (!FileExists(playerPath)) updateFailed = true;
    }
    if (updateFailed) return EndProcess(0);
    window.gate->Run(window.reportUpToDate);
}

}  // namespace

unsigned UpdateWorker(const UpdateWorkerWindow& window, const UpdaterSettings& settings) {
    try {
        RunUpdateWorker(window, settings);
    } catch (...) {
        // where the process end is replaced (the tests' recorder throws), the worker stops here
    }
    return 1;
}

void EndRunningCopies(const std::string& path) {
    const std::string name = FileNameOfPath(path, true);
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.Get(), &entry); more; more = Process32Next(snapshot.Get(), &entry)) {
        // the process list names bare executable files, so the file-name part is what can match
        if (lstrcmpiA(FileNameOfPath(entry.szExeFile, true).c_str(), name.c_str()) != 0) continue;
        if (entry.th32ProcessID == GetCurrentProcessId()) continue;
        if (const UniqueHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)); process)
            TerminateProcess(process.Get(), 0);
    }
}

}  // namespace qivyun
