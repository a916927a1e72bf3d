#include "versioncheck/ManifestCheck.h"

#include "BuildConfig.h"
#include "common/FilePath.h"
#include "versioncheck/Manifest.h"
#include "versioncheck/Md5.h"

#include <algorithm>
#include <fstream>

namespace qivyun {
namespace {

// More digits could overflow; no release counts that far.
constexpr std::size_t LongestSerial = 18;

}  // namespace

UpdateTrust UpdateTrust::FromSettings(std::string_view publicKeyHex, long long releaseSerial) {
    return {!publicKeyHex.empty(), PublicKeyFromHex(publicKeyHex), releaseSerial};
}

UpdateTrust UpdateTrust::OfThisBuild() { return FromSettings(config::UpdatePublicKey, config::ReleaseSerial); }

CheckedManifest::CheckedManifest(ManifestVerdict verdict, std::string text, bool signedWithKey)
    : verdict_(verdict), text_(std::move(text)), signedWithKey_(signedWithKey) {
    serial_ = ParseSerial(ReadIniValue(text_, manifest::ReleaseSection, manifest::SerialKey, manifest::SerialSize));
}

std::string CheckedManifest::Value(std::string_view section, std::string_view key, std::size_t bufferSize) const {
    return Accepted() ? ReadIniValue(text_, section, key, bufferSize) : std::string();
}

CheckedManifest CheckManifest(std::string manifestText, const std::optional<std::string>& signatureText,
                              const UpdateTrust& trust, long long appliedSerial) {
    if (!trust.requiresSignature) return {ManifestVerdict::Accepted, std::move(manifestText), false};
    if (!signatureText) return {ManifestVerdict::Unsigned, std::move(manifestText), false};
    const std::optional<SignatureFile> signature = ReadSignatureFile(*signatureText);
    // A key id other than the build's names another key: its signature cannot verify either.
    if (!signature || !trust.key || signature->keyId != KeyId(*trust.key) ||
        !VerifySignature(*trust.key, manifestText, signature->signature))
        return {ManifestVerdict::BadSignature, std::move(manifestText), false};
    CheckedManifest checked(ManifestVerdict::Accepted, std::move(manifestText), true);
    if (checked.Serial() == 0 || checked.Serial() < std::max(trust.releaseSerial, appliedSerial))
        return {ManifestVerdict::Older, {}, false};
    return checked;
}

CheckedManifest CheckManifestFile(const std::string& manifestPath, const UpdateTrust& trust, long long appliedSerial) {
    std::optional<std::string> manifestText = ReadManifestFile(manifestPath);
    if (!manifestText) return {};
    const std::optional<std::string> signatureText =
        trust.requiresSignature ? ReadManifestFile(SignatureLocationOf(manifestPath)) : std::nullopt;
    return CheckManifest(std::move(*manifestText), signatureText, trust, appliedSerial);
}

long long ParseSerial(std::string_view text) {
    if (text.empty() || text.size() > LongestSerial || text.find_first_not_of("0123456789") != std::string_view::npos)
        return 0;
    long long serial = 0;
    for (char digit : text) serial = serial * 10 + (digit - '0');
    return serial;
}

long long ReadAppliedSerial(const std::string& path) {
    std::ifstream file(FilePath(path), std::ios::binary);
    char text[LongestSerial + 4] = {};
    file.read(text, sizeof text);
    std::string_view record(text, static_cast<std::size_t>(file.gcount()));
    while (!record.empty() && (record.back() == '\n' || record.back() == '\r')) record.remove_suffix(1);
    return ParseSerial(record);
}

std::string AppliedSerialText(long long serial) { return std::to_string(serial) + "\r\n"; }

ManifestProgram ProgramOf(const CheckedManifest& manifest, std::string_view section) {
    return {manifest.Value(section, manifest::DigestKey, manifest::DigestSize),
            manifest.Value(section, manifest::Sha256Key, manifest::DigestSize),
            manifest.Value(section, manifest::AddressKey, manifest::ProgramAddressSize)};
}

bool DownloadMatches(const ManifestProgram& program, std::string_view fileMd5, std::string_view fileSha256,
                     bool signedWithKey) {
    if (program.md5.empty() || !SameDigest(program.md5, fileMd5)) return false;
    if (program.sha256.empty()) return !signedWithKey;
    return SameDigest(program.sha256, fileSha256);
}

const char* StoppedUpdateText(ManifestVerdict verdict) {
    switch (verdict) {
        case ManifestVerdict::Unsigned: return "更新信息未签名，已停止更新。";
        case ManifestVerdict::BadSignature: return "更新信息签名无效，已停止更新。";
        case ManifestVerdict::Older: return "更新信息版本较旧，已停止更新。";
        default: return "";
    }
}

bool IsWebAddress(std::string_view address) {
    auto startsWith = [address](std::string_view scheme) {
        if (address.size() <= scheme.size()) return false;
        for (std::size_t i = 0; i < scheme.size(); ++i) {
            char c = address[i];
            if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
            if (c != scheme[i]) return false;
        }
        return true;
    };
    return startsWith("http://") || startsWith("https://");
}

std::string LinkPageToOpen(const CheckedManifest& manifest, std::string_view section) {
    std::string page = manifest.Value(section, manifest::AddressKey, manifest::LinkPageSize);
    return IsWebAddress(page) ? page : std::string();
}

}  // namespace qivyun
