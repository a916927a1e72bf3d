// Fuzz target: the signature reader and the manifest's check over any signature file and manifest.
//   byte 0      how many of the following bytes are the signature file (the rest is the manifest)
//   byte 1      the release serial of the build (its low 4 bits) and the serial last applied (high 4)
//   the rest    the signature file's text, then the manifest's
#include "versioncheck/Manifest.h"
#include "versioncheck/ManifestCheck.h"
#include "versioncheck/Md5.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace qivyun;

namespace {

// The test world's key, whose signatures the seed corpus holds.
constexpr char TestKey[] =
    "043c48b79033b7f7be1a226c034d9e7e75d01d9798be936071685f5d003cd05f92ce00a49e4ec29471493033741414b0315d49827d8355dbee3070f64460f3299b";

bool StartsWithWebScheme(std::string_view text) {
    std::string head(text.substr(0, 8));
    for (char& c : head) c = static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
    return head.rfind("http://", 0) == 0 || head.rfind("https://", 0) == 0;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 2) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 2), size - 2);
    const std::string signatureText(rest.substr(0, data[0]));
    const std::string manifestText(rest.substr(signatureText.size()));
    const long long releaseSerial = data[1] & 0x0F, appliedSerial = data[1] >> 4;

    // A signature file that reads has one form: written out again it reads the same.
    const auto signature = ReadSignatureFile(signatureText);
    if (signature) {
        if (signature->keyId.size() != 16) __builtin_trap();
        const std::string again = "QivYun manifest signature\r\nalgorithm: ECDSA P-256 SHA-256\r\nkey: " + signature->keyId +
                                  "\r\nsignature: " + HexText(signature->signature.data(), signature->signature.size()) + "\r\n";
        const auto reread = ReadSignatureFile(again);
        if (!reread || reread->keyId != signature->keyId || reread->signature != signature->signature) __builtin_trap();
    }

    // Nothing is accepted without the key's signature over these very bytes and a serial high enough,
    // and nothing of a manifest that failed can be read.
    const UpdateTrust trust = UpdateTrust::FromSettings(TestKey, releaseSerial);
    const CheckedManifest checked = CheckManifest(manifestText, signatureText, trust, appliedSerial);
    if (checked.Accepted()) {
        if (!signature || !VerifySignature(*trust.key, manifestText, signature->signature)) __builtin_trap();
        if (checked.Serial() <= 0 || checked.Serial() < releaseSerial || checked.Serial() < appliedSerial) __builtin_trap();
    } else if (!checked.Value(manifest::PlayerSection, manifest::DigestKey, manifest::DigestSize).empty()) {
        __builtin_trap();
    }

    // The manifest's new keys as a build without a key reads them: a serial is a positive number
    // written in digits, a page opened is a web page, a signed download needs its SHA-256.
    const CheckedManifest unchecked = CheckManifest(manifestText, std::nullopt, UpdateTrust::FromSettings("", 1), 0);
    const std::string serialText = unchecked.Value(manifest::ReleaseSection, manifest::SerialKey, manifest::SerialSize);
    const long long serial = ParseSerial(serialText);
    if (serial != unchecked.Serial() || serial < 0) __builtin_trap();
    if (serial > 0 && (serialText.find_first_not_of("0123456789") != std::string::npos ||
                       serialText.substr(serialText.find_first_not_of('0')) != std::to_string(serial)))
        __builtin_trap();
    for (const char* section : {manifest::MtkanSection, manifest::QvodSection}) {
        const std::string page = LinkPageToOpen(unchecked, section);
        if (!page.empty() && !StartsWithWebScheme(page)) __builtin_trap();
    }
    const ManifestProgram program = ProgramOf(unchecked, manifest::PlayerSection);
    if (program.sha256.empty() && DownloadMatches(program, program.md5, "", true)) __builtin_trap();
    if (!program.md5.empty() && !program.sha256.empty() && !DownloadMatches(program, program.md5, program.sha256, true))
        __builtin_trap();
    return 0;
}
