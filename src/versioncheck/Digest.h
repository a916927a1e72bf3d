#pragma once
// Digests of byte ranges and of whole files: MD5 for the manifest's `md5` values, SHA-256 for its
// `sha256` values and for the manifest's signature. The hashing is the platform's: its hash
// provider on Windows, libcrypto elsewhere.
#include <array>
#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>

namespace qivyun {

enum class DigestAlgorithm { Md5, Sha256 };

// 16 bytes for MD5, 32 for SHA-256.
std::size_t DigestSize(DigestAlgorithm algorithm);

// One running digest. DigestInit prepares it (again) for an algorithm, DigestUpdate feeds any
// number of byte ranges, DigestFinal writes the digest and wipes the state.
class DigestContext {
public:
    DigestContext();
    ~DigestContext();
    DigestContext(const DigestContext&) = delete;
    DigestContext& operator=(const DigestContext&) = delete;

    struct State;
    std::unique_ptr<State> state;
};

void DigestInit(DigestContext& context, DigestAlgorithm algorithm);
void DigestUpdate(DigestContext& context, const void* data, std::size_t size);
// False when the provider failed at any step since DigestInit, or `size` is not the algorithm's
// digest size; the digest is then all zeros.
bool DigestFinal(DigestContext& context, unsigned char* digest, std::size_t size);

// Lower-case hexadecimal, two characters per byte, high nibble first.
std::string HexText(const unsigned char* bytes, std::size_t size);

// The loop behind the file digests: `read` fills at most `size` bytes and returns how many it
// delivered, 0 at the end, or a negative number on a read error (which yields empty text).
inline constexpr std::size_t DigestReadSize = 1024;
std::string DigestTextOfReads(DigestAlgorithm algorithm, const std::function<long(char* buffer, std::size_t size)>& read);

// The digest text of a whole file (its name in UTF-8), read at most 1024 bytes at a time; empty when
// the file cannot be opened (missing, a folder, held by a writer that shares no reading) or a read fails.
std::string ComputeFileDigest(const std::string& path, DigestAlgorithm algorithm);

using Sha256Digest = std::array<unsigned char, 32>;

// SHA-256 of bytes in memory; false (and zeros) when the provider failed.
bool ComputeSha256(std::string_view bytes, Sha256Digest& digest);

// The SHA-256 text of a whole file, 64 lower-case hexadecimal characters; empty as above.
std::string ComputeFileSha256(const std::string& path);

}  // namespace qivyun
