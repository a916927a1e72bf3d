#pragma once
// The maker's side of the manifest's signature, through libcrypto: key pairs of the curve P-256
// kept in PEM files, and signature files of manifests in the form the programs read.
#include "versioncheck/Signature.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

struct evp_pkey_st;

namespace qivyun::updatesite {

class SigningKey {
public:
    // The private key of a PEM file; nothing, with the reason in `problem`, when the file cannot be
    // read or holds no private key of the curve P-256.
    static std::optional<SigningKey> Load(const std::string& path, std::string& problem);
    // A new key pair.
    static std::optional<SigningKey> Generate();

    const PublicKey& Point() const { return point_; }

    // The signature file of a manifest's exact bytes, checked against the public key before it is
    // handed out; empty when the signature could not be made.
    std::string SignatureFileOf(std::string_view manifest) const;

    // The private key as PKCS #8 PEM, readable by its owner only and never over an existing file;
    // the public key as PEM.
    bool WritePrivatePem(const std::string& path) const;
    bool WritePublicPem(const std::string& path) const;

private:
    SigningKey(std::shared_ptr<evp_pkey_st> key, const PublicKey& point) : key_(std::move(key)), point_(point) {}

    std::shared_ptr<evp_pkey_st> key_;
    PublicKey point_{};
};

// A public key from a PEM file (as `qivyun keygen` writes it) or from its 130 hexadecimal digits
// (as the build setting holds it); nothing, with the reason in `problem`, otherwise.
std::optional<PublicKey> LoadPublicKey(const std::string& fileOrDigits, std::string& problem);

}  // namespace qivyun::updatesite
