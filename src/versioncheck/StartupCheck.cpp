#include "versioncheck/StartupCheck.h"

#include "BuildConfig.h"
#include "framework/InternetHandle.h"
#include "framework/SystemCalls.h"
#include "versioncheck/Manifest.h"
#include "versioncheck/Md5.h"
#include "versioncheck/StartupStatus.h"

#include <urlmon.h>
#include <wininet.h>

namespace qivyun {
namespace {

constexpr DWORD CounterTextLimit = 100;

std::string ModulePath() {
    char path[MAX_PATH + 1] = {};
    DWORD length = GetModuleFileNameA(nullptr, path, MAX_PATH);
    return std::string(path, length);
}

std::string CurrentDirectory() {
    char folder[MAX_PATH + 1] = {};
    DWORD length = GetCurrentDirectoryA(MAX_PATH, folder);
    return std::string(folder, length <= MAX_PATH ? length : 0);
}

}  // namespace

StartupCheckSettings StartupCheckSettings::ForThisProcess() {
    return {std::string(config::UpdateServerAddress) + ManifestServerPath, ManifestLocalPath(), ModulePath(),
            CurrentDirectory() + "\\QivYunUpdate.exe"};
}

std::string FetchUrlText(const std::string& address) {
    InternetHandle session(InternetOpenA(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session.Get()) return {};
    InternetHandle request(InternetOpenUrlA(session.Get(), address.c_str(), nullptr, 0,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_PRAGMA_NOCACHE, 0));
    if (!request.Get()) return {};
    char buffer[CounterTextLimit];
    DWORD read = 0;
    if (!InternetReadFile(request.Get(), buffer, CounterTextLimit, &read)) return {};
    return std::string(buffer, read);
}

unsigned StartupCheck(const StartupCheckWindow& window, const StartupCheckSettings& settings) {
    DeleteFileA(settings.manifestPath.c_str());
    std::string ownDigest = ComputeFileMd5(settings.ownPath);
    std::string shownDigest = UpperCaseDigest(ownDigest);

    DeleteUrlCacheEntryA(settings.manifestAddress.c_str());
    bool fetched = URLDownloadToFileA(nullptr, settings.manifestAddress.c_str(), settings.manifestPath.c_str(), 0,
                                      nullptr) == S_OK;
    std::string line;
    if (!fetched) {
        line = StartupFailureLine(shownDigest);
    } else {
        auto value = [&](const char* section, const char* key, std::size_t size) {
            return ReadManifestValueAt(settings.manifestPath, section, key, size);
        };
        std::string countPage = value(manifest::CountSection, manifest::CountPageKey, manifest::CountPageSize);
        std::string visitorPage = value(manifest::CountSection, manifest::VisitorPageKey, manifest::CountPageSize);
        window.gate->Run([&] { window.navigateVisitorPage(visitorPage); });
        window.gate->Run([&] { window.navigateCountPage(countPage); });

        std::string accumulativeAddress =
            value(manifest::CountSection, manifest::AccumulativeTextKey, manifest::CounterTextAddressSize);
        std::string usageAddress = value(manifest::CountSection, manifest::UsageTextKey, manifest::CounterTextAddressSize);
        std::string manifestDigest = value(manifest::PlayerSection, manifest::DigestKey, manifest::DigestSize);

        if (ManifestNamesOtherDigest(manifestDigest, ownDigest)) {
            // Shown by the window's thread, whose message boxes wear the skin; this worker waits for
            // the answer either way, and shows the notice itself when the window is gone.
            const std::string notice = UpdateNoticeText(manifestDigest);
            auto tell = [&] { ShowMessageBox(nullptr, notice.c_str(), "QivYunPlay", MB_OK | MB_ICONINFORMATION); };
            if (!window.gate->Run(tell)) tell();
            ShellOpen(nullptr, settings.updaterPath.c_str(), nullptr, SW_SHOW);
            EndProcess(0);
            return 1;
        }
        std::string accumulative = FetchUrlText(accumulativeAddress);
        std::string usage = FetchUrlText(usageAddress);
        line = StartupSuccessLine(shownDigest, accumulative, usage);
    }
    window.gate->Run([&] { window.showStatusLine(line); });
    return 1;
}

}  // namespace qivyun
