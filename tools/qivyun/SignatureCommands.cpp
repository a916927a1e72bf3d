// qivyun keygen PRIVATE PUBLIC: a new key pair for the manifest's signature, and the build setting
// that carries its public half.
// qivyun verify MANIFEST [SIGNATURE] --key PUBLIC: whether the signature file (MANIFEST.sig by
// default) is the key's over the manifest's exact bytes, as the programs check it; exit 1 with
// the cause on stderr when it is not.
#include "VersionCommands.h"

#include "SigningKey.h"
#include "versioncheck/Manifest.h"
#include "versioncheck/ManifestCheck.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iostream>

namespace qivyun::tool {
namespace {

int RunKeygen(const std::string& privatePath, const std::string& publicPath) {
    // A key in use is never written over: every program built with it would refuse the next release.
    for (const std::string& path : {privatePath, publicPath}) {
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(path, error)))
            return Complain("keygen", path + " exists; choose another name");
    }
    const auto key = updatesite::SigningKey::Generate();
    if (!key) return Complain("keygen", "no key pair could be made");
    if (!key->WritePrivatePem(privatePath)) return Complain("keygen", "cannot write " + privatePath + ": " + std::strerror(errno));
    if (!key->WritePublicPem(publicPath)) return Complain("keygen", "cannot write " + publicPath + ": " + std::strerror(errno));
    std::cout << "key " << KeyId(key->Point()) << "\n"
              << "build setting: -DQIVYUN_UPDATE_PUBLIC_KEY=" << PublicKeyHex(key->Point()) << "\n";
    return ExitDone;
}

struct VerifyOptions {
    std::string manifest;
    std::string signature;  // MANIFEST.sig when not given
    std::string key;
};

// A key given as digits only is the build setting's form; anything else names a PEM file.
bool LooksLikeKeyDigits(const std::string& text) {
    return !text.empty() && text.find_first_not_of("0123456789abcdefABCDEF") == std::string::npos;
}

int RunVerify(const VerifyOptions& options) {
    if (!LooksLikeKeyDigits(options.key)) {
        if (const auto problem = InputProblem(options.key)) return Complain("verify", options.key + ": " + *problem);
    }
    std::string problem;
    const auto key = updatesite::LoadPublicKey(options.key, problem);
    if (!key) return Complain("verify", "--key " + problem, LooksLikeKeyDigits(options.key) ? ExitBadArguments : ExitFailed);
    const std::string& manifestPath = options.manifest;
    const std::string signaturePath = options.signature.empty() ? SignatureLocationOf(manifestPath) : options.signature;

    if (const auto problem = InputProblem(manifestPath)) return Complain("verify", manifestPath + ": " + *problem);
    const auto manifestText = ReadManifestFile(manifestPath);
    if (!manifestText) return Complain("verify", manifestPath + ": larger than any manifest (1 MiB)");
    if (const auto problem = InputProblem(signaturePath))
        return Complain("verify", "unsigned: " + signaturePath + ": " + *problem);
    const auto signatureText = ReadManifestFile(signaturePath);
    const auto signature = signatureText ? ReadSignatureFile(*signatureText) : std::nullopt;
    if (!signature) return Complain("verify", signaturePath + " is not a manifest signature");
    if (signature->keyId != KeyId(*key))
        return Complain("verify", "signed with key " + signature->keyId + ", not with key " + KeyId(*key));
    if (!VerifySignature(*key, *manifestText, signature->signature))
        return Complain("verify", "the signature does not match " + manifestPath + " (changed or damaged)");
    const CheckedManifest checked(ManifestVerdict::Accepted, *manifestText, true);
    std::cout << manifestPath << ": signed with key " << signature->keyId << ", serial " << checked.Serial() << "\n";
    return ExitDone;
}

}  // namespace

void AddKeygenCommand(CommandTable& table) {
    auto paths = std::make_shared<std::pair<std::string, std::string>>();
    CLI::App& command = table.Add(table.Root(), "keygen",
                                  "Make the maker's key pair for the manifest's signature and print its build setting",
                                  "qivyun keygen maker-update-key.pem maker-update-key.pub.pem",
                                  [paths] { return RunKeygen(paths->first, paths->second); });
    command.add_option("PRIVATE", paths->first, "Where the private key goes (PEM, never over a file)")->required();
    command.add_option("PUBLIC", paths->second, "Where the public key goes (PEM)")->required();
}

void AddVerifyCommand(CommandTable& table) {
    auto options = std::make_shared<VerifyOptions>();
    CLI::App& command = table.Add(
        table.Root(), "verify", "Check a manifest's signature as the programs check it (exit 0 good, 1 with the cause)",
        "qivyun verify www/QivYun/QivYunUpdate.txt --key maker-update-key.pub.pem", [options] { return RunVerify(*options); });
    command.add_option("MANIFEST", options->manifest, "The manifest")->required();
    command.add_option("SIGNATURE", options->signature, "Its signature file (MANIFEST.sig by default)");
    command.add_option("--key", options->key, "The public key: a PEM file or its 130 hexadecimal digits")->required();
}

}  // namespace qivyun::tool
