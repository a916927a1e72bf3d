// Signatures verified by libcrypto: the point made a key of the curve P-256, the raw pair r, s
// encoded as the library takes it, checked against the manifest's SHA-256 digest.
#include "versioncheck/Digest.h"
#include "versioncheck/Signature.h"

#include <openssl/bn.h>
#include <openssl/core_names.h>
#include <openssl/ecdsa.h>
#include <openssl/evp.h>

#include <memory>

namespace qivyun {
namespace {

struct FreeKey {
    void operator()(EVP_PKEY* key) const { EVP_PKEY_free(key); }
};
struct FreeKeyContext {
    void operator()(EVP_PKEY_CTX* context) const { EVP_PKEY_CTX_free(context); }
};
struct FreeEcdsaSignature {
    void operator()(ECDSA_SIG* signature) const { ECDSA_SIG_free(signature); }
};
struct FreeBytes {
    void operator()(unsigned char* bytes) const { OPENSSL_free(bytes); }
};

// The library checks that the point lies on the curve.
std::unique_ptr<EVP_PKEY, FreeKey> KeyOfPoint(const PublicKey& point) {
    char group[] = "prime256v1";
    OSSL_PARAM parameters[] = {
        OSSL_PARAM_construct_utf8_string(OSSL_PKEY_PARAM_GROUP_NAME, group, 0),
        OSSL_PARAM_construct_octet_string(OSSL_PKEY_PARAM_PUB_KEY, const_cast<unsigned char*>(point.data()), point.size()),
        OSSL_PARAM_construct_end(),
    };
    const std::unique_ptr<EVP_PKEY_CTX, FreeKeyContext> context(EVP_PKEY_CTX_new_from_name(nullptr, "EC", nullptr));
    EVP_PKEY* key = nullptr;
    if (!context || EVP_PKEY_fromdata_init(context.get()) != 1 ||
        EVP_PKEY_fromdata(context.get(), &key, EVP_PKEY_PUBLIC_KEY, parameters) != 1)
        return nullptr;
    return std::unique_ptr<EVP_PKEY, FreeKey>(key);
}

}  // namespace

bool VerifySignature(const PublicKey& key, std::string_view message, const RawSignature& signature) {
    Sha256Digest digest{};
    if (key[0] != 0x04 || !ComputeSha256(message, digest)) return false;
    const auto publicKey = KeyOfPoint(key);
    if (!publicKey) return false;

    const std::unique_ptr<ECDSA_SIG, FreeEcdsaSignature> pair(ECDSA_SIG_new());
    BIGNUM* r = BN_bin2bn(signature.data(), 32, nullptr);
    BIGNUM* s = BN_bin2bn(signature.data() + 32, 32, nullptr);
    if (!pair || !r || !s || ECDSA_SIG_set0(pair.get(), r, s) != 1) {
        BN_free(r);
        BN_free(s);
        return false;
    }
    unsigned char* encoded = nullptr;
    const int encodedSize = i2d_ECDSA_SIG(pair.get(), &encoded);
    const std::unique_ptr<unsigned char, FreeBytes> encoding(encoded);
    if (encodedSize <= 0) return false;

    const std::unique_ptr<EVP_PKEY_CTX, FreeKeyContext> context(EVP_PKEY_CTX_new(publicKey.get(), nullptr));
    return context && EVP_PKEY_verify_init(context.get()) == 1 &&
           EVP_PKEY_CTX_set_signature_md(context.get(), EVP_sha256()) == 1 &&
           EVP_PKEY_verify(context.get(), encoding.get(), static_cast<std::size_t>(encodedSize), digest.data(),
                           digest.size()) == 1;
}

}  // namespace qivyun
