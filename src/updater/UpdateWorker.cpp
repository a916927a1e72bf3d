#include "updater/UpdateWorker.h"

#include "common/CodePage.h"
#include "framework/Handles.h"
#include "framework/SystemCalls.h"
#include "updater/DiskFile.h"
#include "updater/DownloadProgress.h"
#include "updater/SegmentedDownloader.h"
#include "versioncheck/Manifest.h"
#include "versioncheck/ManifestCheck.h"
#include "versioncheck/Md5.h"

#include <tlhelp32.h>

namespace qivyun {
namespace {

// A program arrives in a side file beside its place, so that a download that is short, broken or
// not the one the manifest names never takes the place of a working program.
constexpr char SideSuffix[] = ".new";

// Asks the window for the download and waits for its end; false when the window went first.
bool RequestDownload(const UpdateWorkerWindow& window, const std::string& url, const std::string& target,
                     const std::string& sideSuffix = {}, bool quiet = false) {
    return window.gate->Run([&] { window.startDownload(url, target, sideSuffix, quiet); }) &&
           window.gate->Wait(*window.downloadEnded);
}

// A downloaded side file that its check turned away goes at once, with what a download keeps for
// resuming it, so that nothing of it is ever started or taken up again.
void DiscardRejectedDownload(const std::string& sidePath) { DiscardDownload(sidePath); }

enum class Installation { Installed, NotDownloaded, Rejected };

// Moves the downloaded side file over `path` in one step once both its digests are the manifest's.
// A side file that does not match is rejected; one that cannot take the place counts as a download
// that did not arrive. Either way `path` stays as it was.
Installation InstallDownloaded(const std::string& path, const ManifestProgram& program, bool signedWithKey) {
    const std::string sidePath = path + SideSuffix;
    if (!disk::Exists(sidePath)) return Installation::NotDownloaded;
    if (!DownloadMatches(program, ComputeFileMd5(sidePath), ComputeFileSha256(sidePath), signedWithKey)) {
        DiscardRejectedDownload(sidePath);
        return Installation::Rejected;
    }
    if (disk::Rename(sidePath, path)) return Installation::Installed;
    disk::Remove(sidePath);
    return Installation::NotDownloaded;
}

// The installation remembers the highest release it has applied, so that no older signed manifest
// can take it back; the record is written beside itself and moved into place whole.
void RecordAppliedSerial(const std::string& path, long long serial) {
    if (serial > ReadAppliedSerial(path)) disk::ReplaceWhole(path, AppliedSerialText(serial));
}

// The window says why, and ends the program.
void StopUpdate(const UpdateWorkerWindow& window, const char* text) {
    window.gate->Run([&] { window.reportStopped(text); });
}

// The fixed waits after each download stay as the program has always had them.
void RunUpdateWorker(const UpdateWorkerWindow& window, const UpdaterSettings& settings) {
    if (!disk::Exists(settings.manifestPath)) {
        if (!RequestDownload(window, settings.manifestAddress, settings.manifestPath)) return;
        Sleep(1000);
        if (!disk::Exists(settings.manifestPath)) return EndProcess(0);
        // A missing signature is for the check to report: the downloader's own message would be a
        // second one. A signature left from an earlier run must not stand in for it.
        const std::string signaturePath = SignatureLocationOf(settings.manifestPath);
        disk::Remove(signaturePath);
        if (settings.trust.requiresSignature &&
            !RequestDownload(window, SignatureLocationOf(settings.manifestAddress), signaturePath, {}, true))
            return;
    }
    const std::string appliedSerialPath = settings.currentDirectory + "\\" + AppliedSerialFileName;
    // Read once: every value below comes from these checked bytes, whatever the files become.
    const CheckedManifest manifest =
        CheckManifestFile(settings.manifestPath, settings.trust, ReadAppliedSerial(appliedSerialPath));
    if (manifest.Verdict() == ManifestVerdict::Missing) return EndProcess(0);
    if (!manifest.Accepted()) return StopUpdate(window, StoppedUpdateText(manifest.Verdict()));
    const bool signedWithKey = manifest.SignedWithKey();
    bool updateFailed = false;

    const ManifestProgram updater = ProgramOf(manifest, manifest::UpdaterSection);
    if (ManifestNamesOtherDigest(updater.md5, ComputeFileMd5(settings.ownPath))) {
        const std::string temporaryPath = settings.currentDirectory + "\\" + UpdaterTempFileName;
        if (!RequestDownload(window, updater.url, temporaryPath, SideSuffix)) return;
        Sleep(500);
        // only a copy that is the manifest's updater is started
        switch (InstallDownloaded(temporaryPath, updater, signedWithKey)) {
            case Installation::Installed:
                StartProgram(temporaryPath);
                return EndProcess(0);
            case Installation::Rejected: return StopUpdate(window, DownloadMismatchText);
            case Installation::NotDownloaded: updateFailed = true;
        }
    }

    const ManifestProgram player = ProgramOf(manifest, manifest::PlayerSection);
    const std::string playerPath = settings.currentDirectory + "\\" + PlayerFileName;
    if (ManifestNamesOtherDigest(player.md5, ComputeFileMd5(playerPath))) {
        if (!RequestDownload(window, player.url, playerPath, SideSuffix)) return;
        Sleep(500);
        switch (InstallDownloaded(playerPath, player, signedWithKey)) {
            case Installation::Installed:
                if (signedWithKey) RecordAppliedSerial(appliedSerialPath, manifest.Serial());
                StartProgram(playerPath);
                return EndProcess(0);
            case Installation::Rejected: return StopUpdate(window, DownloadMismatchText);
            case Installation::NotDownloaded:
                // the old program (if there is one) is untouched: its digest still differs, nothing starts
                if (!disk::Exists(playerPath)) updateFailed = true;
        }
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
    const std::wstring name = WideFromUtf8(FileNameOfPath(path, true));
    const UniqueHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32FirstW(snapshot.Get(), &entry); more; more = Process32NextW(snapshot.Get(), &entry)) {
        // the process list names bare executable files, so the file-name part is what can match
        if (lstrcmpiW(WideFromUtf8(FileNameOfPath(Utf8FromWide(entry.szExeFile), true)).c_str(), name.c_str()) != 0) continue;
        if (entry.th32ProcessID == GetCurrentProcessId()) continue;
        if (const UniqueHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID)); process)
            TerminateProcess(process.Get(), 0);
    }
}

}  // namespace qivyun
