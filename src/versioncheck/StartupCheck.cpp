#include "versioncheck/StartupCheck.h"

#include "BuildConfig.h"
#include "common/CodePage.h"
#include "common/FilePath.h"
#include "framework/InternetHandle.h"
#include "framework/ProcessPaths.h"
#include "framework/SystemCalls.h"
#include "versioncheck/Manifest.h"
#include "versioncheck/Md5.h"
#include "versioncheck/StartupStatus.h"

#include <urlmon.h>
#include <wininet.h>

#include <fstream>

namespace qivyun {
namespace {

constexpr DWORD CounterTextLimit = 100;
// A signature file is some 220 bytes; anything much larger is not one.
constexpr std::size_t SignatureFileLimit = 4096;

// An address opened for reading, always from the server itself.
struct OpenedAddress {
    InternetHandle session;
    InternetHandle request;
};

OpenedAddress OpenAddress(const std::string& address) {
    OpenedAddress opened;
    opened.session.Reset(InternetOpenW(nullptr, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (opened.session)
        opened.request.Reset(InternetOpenUrlW(opened.session.Get(), WideFromGbk(address).c_str(), nullptr, 0,
                                              INTERNET_FLAG_RELOAD | INTERNET_FLAG_PRAGMA_NOCACHE, 0));
    return opened;
}

// The signature beside the manifest, written to its local place only when the server has one
// (status 200): an error page must not stand in for a signature, nor its absence be reported as
// a bad one.
void FetchSignature(const std::string& address, const std::string& path) {
    const OpenedAddress opened = OpenAddress(address);
    if (!opened.request) return;
    DWORD status = 0, size = sizeof status;
    if (!HttpQueryInfoW(opened.request.Get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr) ||
        status != 200)
        return;
    std::string body;
    char block[1024];
    DWORD read = 0;
    while (body.size() <= SignatureFileLimit && InternetReadFile(opened.request.Get(), block, sizeof block, &read) && read > 0)
        body.append(block, read);
    if (body.size() > SignatureFileLimit) return;
    std::ofstream(FilePath(path), std::ios::binary | std::ios::trunc) << body;
}

// A message box of the check, shown by the window's thread, whose message boxes wear the skin;
// the worker waits for the answer either way, and shows it itself when the window is gone.
void Tell(const StartupCheckWindow& window, const std::string& text, UINT type) {
    auto tell = [&] { ShowMessageBox(nullptr, text.c_str(), "QivYunPlay", type); };
    if (!window.gate->Run(tell)) tell();
}

}  // namespace

StartupCheckSettings StartupCheckSettings::ForThisProcess() {
    const std::string folder = CurrentFolder();
    return {std::string(config::UpdateServerAddress) + ManifestServerPath, ManifestLocalPath(), ModulePath(),
            folder + "\\QivYunUpdate.exe", folder + "\\" + AppliedSerialFileName};
}

std::string FetchUrlText(const std::string& address) {
    const OpenedAddress opened = OpenAddress(address);
    if (!opened.request) return {};
    char buffer[CounterTextLimit];
    DWORD read = 0;
    if (!InternetReadFile(opened.request.Get(), buffer, CounterTextLimit, &read)) return {};
    return std::string(buffer, read);
}

unsigned StartupCheck(const StartupCheckWindow& window, const StartupCheckSettings& settings) {
    const std::string signaturePath = SignatureLocationOf(settings.manifestPath);
    DeleteFileW(WideFromUtf8(settings.manifestPath).c_str());
    DeleteFileW(WideFromUtf8(signaturePath).c_str());
    std::string ownDigest = ComputeFileMd5(settings.ownPath);
    std::string shownDigest = UpperCaseDigest(ownDigest);

    const std::wstring manifestAddress = WideFromGbk(settings.manifestAddress);
    DeleteUrlCacheEntryW(manifestAddress.c_str());
    bool fetched = URLDownloadToFileW(nullptr, manifestAddress.c_str(), WideFromUtf8(settings.manifestPath).c_str(), 0,
                                      nullptr) == S_OK;
    if (fetched && settings.trust.requiresSignature)
        FetchSignature(SignatureLocationOf(settings.manifestAddress), signaturePath);
    // Read once: every value below comes from these checked bytes, whatever the files become.
    const CheckedManifest manifest =
        fetched ? CheckManifestFile(settings.manifestPath, settings.trust, ReadAppliedSerial(settings.appliedSerialPath))
                : CheckedManifest();
    std::string line;
    if (manifest.Verdict() == ManifestVerdict::Missing) {
        line = StartupFailureLine(shownDigest);
    } else if (!manifest.Accepted()) {
        Tell(window, StoppedUpdateText(manifest.Verdict()), MB_OK | MB_ICONWARNING);
        line = UnverifiedManifestLine;
    } else {
        if (window.keepManifest) window.gate->Run([&] { window.keepManifest(manifest); });
        auto value = [&](const char* section, const char* key, std::size_t size) {
            return manifest.Value(section, key, size);
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
            Tell(window, UpdateNoticeText(manifestDigest), MB_OK | MB_ICONINFORMATION);
            StartProgram(settings.updaterPath);
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
