// qivyun keygen PRIVATE PUBLIC: a new key pair for the manifest's signature, and the build setting
// that carries its public half.
// qivyun verify MANIFEST [SIGNATURE] --key PUBLIC: whether the signature file (MANIFEST.sig by
// default) is the key's over the manifest's exact bytes, as the programs check it; exit 1 with
// the cause on stderr when it is not.
#include "VersionCommands.h"

#include "SigningKey.h"
#include "versioncheck/Manifest.h"
#include "versioncheck/ManifestCheck.h"

#include <filesystem>
#include <iostream>

namespace qivyun::tool {

int RunKeygen(const Arguments& arguments) {
    if (arguments.size() != 2) {
        std::cerr << "usage: qivyun keygen PRIVATE PUBLIC\n";
        return 2;
    }
    // A key in use is never written over: every program built with it would refuse the next release.
    for (const std::string& path : arguments) {
        std::error_code error;
        if (std::filesystem::exists(std::filesystem::symlink_status(path, error))) {
            std::cerr << "qivyun keygen: " << path << " exists; choose another name\n";
            return 1;
        }
    }
    const auto key = updatesite::SigningKey::Generate();
    if (!key) {
        std::cerr << "qivyun keygen: no key pair could be made\n";
        return 1;
    }
    if (!key->WritePrivatePem(arguments[0]) || !key->WritePublicPem(arguments[1])) {
        std::cerr << "qivyun keygen: cannot write " << arguments[0] << " and " << arguments[1] << "\n";
        return 1;
    }
    std::cout << "key " << KeyId(key->Point()) << "\n"
              << "build setting: -DQIVYUN_UPDATE_PUBLIC_KEY=" << PublicKeyHex(key->Point()) << "\n";
    return 0;
}

int RunVerify(const Arguments& arguments) {
    const char usage[] = "usage: qivyun verify MANIFEST [SIGNATURE] --key PUBLIC\n";
    std::vector<std::string> files;
    std::string keyArgument;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (arguments[i] == "--key" && i + 1 < arguments.size()) {
            keyArgument = arguments[++i];
        } else {
            files.push_back(arguments[i]);
        }
    }
    if (keyArgument.empty() || files.empty() || files.size() > 2) {
        std::cerr << usage;
        return 2;
    }
    std::string problem;
    const auto key = updatesite::LoadPublicKey(keyArgument, problem);
    if (!key) {
        std::cerr << "qivyun verify: " << problem << "\n";
        return 2;
    }
    const std::string& manifestPath = files[0];
    const std::string signaturePath = files.size() == 2 ? files[1] : SignatureLocationOf(manifestPath);

    const auto manifestText = ReadManifestFile(manifestPath);
    if (!manifestText) {
        std::cerr << "qivyun verify: " << manifestPath << ": " << FileProblem(manifestPath) << "\n";
        return 1;
    }
    const auto signatureText = ReadManifestFile(signaturePath);
    if (!signatureText) {
        std::cerr << "qivyun verify: unsigned: " << signaturePath << ": " << FileProblem(signaturePath) << "\n";
        return 1;
    }
    const auto signature = ReadSignatureFile(*signatureText);
    if (!signature) {
        std::cerr << "qivyun verify: " << signaturePath << " is not a manifest signature\n";
        return 1;
    }
    if (signature->keyId != KeyId(*key)) {
        std::cerr << "qivyun verify: signed with key " << signature->keyId << ", not with key " << KeyId(*key) << "\n";
        return 1;
    }
    if (!VerifySignature(*key, *manifestText, signature->signature)) {
        std::cerr << "qivyun verify: the signature does not match " << manifestPath << " (changed or damaged)\n";
        return 1;
    }
    const CheckedManifest checked(ManifestVerdict::Accepted, *manifestText, true);
    std::cout << manifestPath << ": signed with key " << signature->keyId << ", serial " << checked.Serial() << "\n";
    return 0;
}

}  // namespace qivyun::tool
