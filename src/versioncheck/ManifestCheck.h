#pragma once
// What the programs make of a manifest before they act on it. The manifest and its signature are
// read once; the signature must be the build's key's over the manifest's exact bytes, and its
// release serial must not be lower than any this installation has had. Every value the programs
// use is then read from those checked bytes in memory, never from the file again.
#include "versioncheck/Signature.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qivyun {

// What a build trusts: the key the manifest must be signed with, and its own release's serial. A
// build without a key (an empty build setting) trusts every manifest as the programs always have,
// which anyone on the network path can forge.
struct UpdateTrust {
    bool requiresSignature = false;
    // The key; nothing where the setting is not a key, so that no signature verifies.
    std::optional<PublicKey> key;
    long long releaseSerial = 0;

    static UpdateTrust FromSettings(std::string_view publicKeyHex, long long releaseSerial);
    static UpdateTrust OfThisBuild();
};

enum class ManifestVerdict {
    Missing,       // no manifest to check
    Accepted,      // signed with the key and not older (or any manifest, in a build without a key)
    Unsigned,      // no signature beside it
    BadSignature,  // a signature that is not the key's over these bytes
    Older,         // signed, but its serial is lower than the build's or the last one applied
};

// A manifest as it was checked. Its values read as empty unless it was accepted.
class CheckedManifest {
public:
    CheckedManifest() = default;
    CheckedManifest(ManifestVerdict verdict, std::string text, bool signedWithKey);

    ManifestVerdict Verdict() const { return verdict_; }
    bool Accepted() const { return verdict_ == ManifestVerdict::Accepted; }
    // Accepted on the strength of a signature (a build with a key).
    bool SignedWithKey() const { return signedWithKey_; }
    // The [Release] serial; 0 when it is missing or not a positive whole number.
    long long Serial() const { return serial_; }
    // The platform ini reader's rules over the checked bytes (see ReadIniValue).
    std::string Value(std::string_view section, std::string_view key, std::size_t bufferSize) const;

private:
    ManifestVerdict verdict_ = ManifestVerdict::Missing;
    std::string text_;
    bool signedWithKey_ = false;
    long long serial_ = 0;
};

// The check of a manifest's bytes and its signature file's text (nothing when there is none)
// against what the build trusts and the serial this installation last applied.
CheckedManifest CheckManifest(std::string manifestText, const std::optional<std::string>& signatureText,
                              const UpdateTrust& trust, long long appliedSerial);

// The same over a local manifest copy and the signature beside it, each read once.
CheckedManifest CheckManifestFile(const std::string& manifestPath, const UpdateTrust& trust, long long appliedSerial);

// A serial as the manifest and the installation's record write it: a positive decimal whole
// number; 0 for anything else.
long long ParseSerial(std::string_view text);

// The serial this installation last applied, recorded beside the programs after an update; 0
// when there is no record.
inline constexpr char AppliedSerialFileName[] = "QivYunSerial.txt";
long long ReadAppliedSerial(const std::string& path);
std::string AppliedSerialText(long long serial);

// What a manifest says of one program.
struct ManifestProgram {
    std::string md5;
    std::string sha256;
    std::string url;
};
ManifestProgram ProgramOf(const CheckedManifest& manifest, std::string_view section);

// Whether a downloaded file may take its program's place: its MD5 is the manifest's, and so is its
// SHA-256, which a manifest signed with the key must name (a build without a key holds the file to
// it where the manifest names one).
bool DownloadMatches(const ManifestProgram& program, std::string_view fileMd5, std::string_view fileSha256,
                     bool signedWithKey);

// The message box that ends an update the check stopped (verdicts Unsigned, BadSignature, Older),
// and the one for a download that does not match its manifest.
const char* StoppedUpdateText(ManifestVerdict verdict);
inline constexpr char DownloadMismatchText[] = "下载的文件与更新信息不符，已停止更新。";

// The page that button 1083 (section Mtkan) or 1084 (section qvod) hands to the shell: the
// section's `url` when the manifest was accepted and the value is an http or https address;
// empty (nothing opens) otherwise, so that no manifest can have the shell start a program.
std::string LinkPageToOpen(const CheckedManifest& manifest, std::string_view section);

// Whether a text names a web page (http or https, any case), so the shell opens it in a browser.
bool IsWebAddress(std::string_view address);

}  // namespace qivyun
