#include "SigningKey.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>
#include <openssl/pem.h>

#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace qivyun::updatesite {
namespace {

struct CloseFile {
    void operator()(std::FILE* file) const { std::fclose(file); }
};
using File = std::unique_ptr<std::FILE, CloseFile>;

struct FreeDigestContext {
    void operator()(EVP_MD_CTX* context) const { EVP_MD_CTX_free(context); }
};
struct FreeEcdsaSignature {
    void operator()(ECDSA_SIG* signature) const { ECDSA_SIG_free(signature); }
};

std::shared_ptr<EVP_PKEY> Owned(EVP_PKEY* key) { return std::shared_ptr<EVP_PKEY>(key, EVP_PKEY_free); }

// The point of a key of the curve P-256, uncompressed; nothing for any other key.
std::optional<PublicKey> PointOf(EVP_PKEY* key) {
    char group[64] = {};
    std::size_t groupLength = 0;
    if (!key || !EVP_PKEY_is_a(key, "EC") ||
        EVP_PKEY_get_utf8_string_param(key, OSSL_PKEY_PARAM_GROUP_NAME, group, sizeof group, &groupLength) != 1 ||
        std::string_view(group, groupLength) != "prime256v1")
        return std::nullopt;
    PublicKey point{};
    std::size_t length = 0;
    if (EVP_PKEY_set_utf8_string_param(key, OSSL_PKEY_PARAM_EC_POINT_CONVERSION_FORMAT, "uncompressed") != 1 ||
        EVP_PKEY_get_octet_string_param(key, OSSL_PKEY_PARAM_PUB_KEY, point.data(), point.size(), &length) != 1 ||
        length != point.size() || point[0] != 0x04)
        return std::nullopt;
    return point;
}

}  // namespace

std::optional<SigningKey> SigningKey::Load(const std::string& path, std::string& problem) {
    const File file(std::fopen(path.c_str(), "rb"));
    if (!file) {
        problem = "cannot be read";
        return std::nullopt;
    }
    const auto key = Owned(PEM_read_PrivateKey(file.get(), nullptr, nullptr, nullptr));
    const auto point = PointOf(key.get());
    if (!point) {
        problem = "holds no private key of the curve P-256 in PEM";
        return std::nullopt;
    }
    return SigningKey(key, *point);
}

std::optional<SigningKey> SigningKey::Generate() {
    const auto key = Owned(EVP_PKEY_Q_keygen(nullptr, nullptr, "EC", "P-256"));
    const auto point = PointOf(key.get());
    if (!point) return std::nullopt;
    return SigningKey(key, *point);
}

std::string SigningKey::SignatureFileOf(std::string_view manifest) const {
    const std::unique_ptr<EVP_MD_CTX, FreeDigestContext> context(EVP_MD_CTX_new());
    std::size_t encodedSize = 0;
    if (!context || EVP_DigestSignInit(context.get(), nullptr, EVP_sha256(), nullptr, key_.get()) != 1 ||
        EVP_DigestSign(context.get(), nullptr, &encodedSize, reinterpret_cast<const unsigned char*>(manifest.data()),
                       manifest.size()) != 1)
        return {};
    std::string encoded(encodedSize, '\0');
    auto* bytes = reinterpret_cast<unsigned char*>(encoded.data());
    if (EVP_DigestSign(context.get(), bytes, &encodedSize, reinterpret_cast<const unsigned char*>(manifest.data()),
                       manifest.size()) != 1)
        return {};

    // The library writes the pair r, s as DER; the programs take it as two numbers of 32 bytes.
    const unsigned char* cursor = bytes;
    const std::unique_ptr<ECDSA_SIG, FreeEcdsaSignature> pair(d2i_ECDSA_SIG(nullptr, &cursor, static_cast<long>(encodedSize)));
    RawSignature signature{};
    if (!pair || BN_bn2binpad(ECDSA_SIG_get0_r(pair.get()), signature.data(), 32) != 32 ||
        BN_bn2binpad(ECDSA_SIG_get0_s(pair.get()), signature.data() + 32, 32) != 32)
        return {};
    if (!VerifySignature(point_, manifest, signature)) return {};
    return WriteSignatureFile(point_, signature);
}

bool SigningKey::WritePrivatePem(const std::string& path) const {
    const int descriptor = open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (descriptor < 0) return false;
    File file(fdopen(descriptor, "wb"));
    if (!file) {
        close(descriptor);
        return false;
    }
    const bool written = PEM_write_PrivateKey(file.get(), key_.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1;
    return std::fclose(file.release()) == 0 && written;
}

bool SigningKey::WritePublicPem(const std::string& path) const {
    File file(std::fopen(path.c_str(), "wb"));
    if (!file) return false;
    const bool written = PEM_write_PUBKEY(file.get(), key_.get()) == 1;
    return std::fclose(file.release()) == 0 && written;
}

std::optional<PublicKey> LoadPublicKey(const std::string& fileOrDigits, std::string& problem) {
    if (const File file{std::fopen(fileOrDigits.c_str(), "rb")}) {
        const auto key = Owned(PEM_read_PUBKEY(file.get(), nullptr, nullptr, nullptr));
        if (const auto point = PointOf(key.get())) return point;
        problem = fileOrDigits + " holds no public key of the curve P-256 in PEM";
        return std::nullopt;
    }
    if (const auto point = PublicKeyFromHex(fileOrDigits)) return point;
    problem = fileOrDigits + " is neither a readable PEM file nor a key's 130 hexadecimal digits";
    return std::nullopt;
}

}  // namespace qivyun::updatesite
