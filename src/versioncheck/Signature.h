#pragma once
// The manifest's detached signature: ECDSA on the curve P-256 over the SHA-256 digest of the
// manifest's exact bytes. The programs verify it with the platform's cryptography (BCrypt), the
// tools with libcrypto; both read the same signature file.
#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qivyun {

// A public key as its uncompressed point: 0x04, then X and Y (32 bytes each, big-endian).
using PublicKey = std::array<unsigned char, 65>;
// A signature as the pair r, s (32 bytes each, big-endian).
using RawSignature = std::array<unsigned char, 64>;

// A key written as 130 hexadecimal characters (the form of the build setting); nothing when the
// text is not an uncompressed point of that length.
std::optional<PublicKey> PublicKeyFromHex(std::string_view hex);
std::string PublicKeyHex(const PublicKey& key);

// A key's short name in signature files: the first 8 bytes of the SHA-256 of its point, in hex.
std::string KeyId(const PublicKey& key);

// Whether `signature` is the key's signature of `message` (a key that is no point of the curve
// verifies nothing).
bool VerifySignature(const PublicKey& key, std::string_view message, const RawSignature& signature);

// The signature file ("QivYunUpdate.txt.sig" beside the manifest), four lines of text:
//   QivYun manifest signature
//   algorithm: ECDSA P-256 SHA-256
//   key: <KeyId of the signing key>
//   signature: <r and s, 128 hexadecimal characters>
// Written with CR LF line ends; read with LF or CR LF, hexadecimal in either case, and nothing
// else on or between the lines. At over 200 bytes it is longer than the offset of the updater's
// probe, so the updater fetches it as it fetches every file.
struct SignatureFile {
    std::string keyId;  // lower case
    RawSignature signature{};
};

std::optional<SignatureFile> ReadSignatureFile(std::string_view text);
std::string WriteSignatureFile(const PublicKey& key, const RawSignature& signature);

// `size` bytes from 2 * size hexadecimal characters of either case; false for anything else.
bool DecodeHex(std::string_view hex, unsigned char* bytes, std::size_t size);

}  // namespace qivyun
