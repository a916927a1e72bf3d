// Signatures verified by the platform's cryptography: the key imported as a P-256 public blob, the
// raw pair r, s checked against the manifest's SHA-256 digest.
#include "framework/Handles.h"
#include "versioncheck/Digest.h"
#include "versioncheck/Signature.h"

#include <bcrypt.h>

#include <cstring>

namespace qivyun {
namespace {

struct CloseProvider {
    void operator()(BCRYPT_ALG_HANDLE provider) const { BCryptCloseAlgorithmProvider(provider, 0); }
};
struct DestroyKey {
    void operator()(BCRYPT_KEY_HANDLE key) const { BCryptDestroyKey(key); }
};
using UniqueProvider = UniqueOwner<BCRYPT_ALG_HANDLE, CloseProvider>;
using UniqueKey = UniqueOwner<BCRYPT_KEY_HANDLE, DestroyKey>;

}  // namespace

bool VerifySignature(const PublicKey& key, std::string_view message, const RawSignature& signature) {
    Sha256Digest digest{};
    if (key[0] != 0x04 || !ComputeSha256(message, digest)) return false;

    BCRYPT_ALG_HANDLE opened = nullptr;
    if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&opened, BCRYPT_ECDSA_P256_ALGORITHM, nullptr, 0))) return false;
    const UniqueProvider provider(opened);

    // The blob is the header, then X and Y as they stand in the point.
    constexpr ULONG coordinateSize = 32;
    unsigned char blob[sizeof(BCRYPT_ECCKEY_BLOB) + 2 * coordinateSize];
    const BCRYPT_ECCKEY_BLOB header{BCRYPT_ECDSA_PUBLIC_P256_MAGIC, coordinateSize};
    std::memcpy(blob, &header, sizeof header);
    std::memcpy(blob + sizeof header, key.data() + 1, 2 * coordinateSize);
    BCRYPT_KEY_HANDLE imported = nullptr;
    if (!BCRYPT_SUCCESS(BCryptImportKeyPair(provider.Get(), nullptr, BCRYPT_ECCPUBLIC_BLOB, &imported, blob, sizeof blob, 0)))
        return false;
    const UniqueKey publicKey(imported);

    return BCryptVerifySignature(publicKey.Get(), nullptr, digest.data(), static_cast<ULONG>(digest.size()),
                                 const_cast<PUCHAR>(signature.data()), static_cast<ULONG>(signature.size()),
                                 0) == 0;
}

}  // namespace qivyun
