#pragma once
// MD5 (RFC 1321) of byte ranges and of whole files, and the digest text both programs compare with
// the manifest: the MD5 case of the digests in Digest.h.
#include "versioncheck/Digest.h"

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <string_view>

namespace qivyun {

using Md5Digest = std::array<unsigned char, 16>;

// One running digest. Md5Init prepares it (again), Md5Update feeds any number of byte ranges,
// Md5Final writes the digest and wipes the state.
using Md5Context = DigestContext;

inline void Md5Init(Md5Context& context) { DigestInit(context, DigestAlgorithm::Md5); }
inline void Md5Update(Md5Context& context, const void* data, std::size_t size) { DigestUpdate(context, data, size); }
// False when the provider failed at any step since Md5Init; the digest is then all zeros.
inline bool Md5Final(Md5Context& context, Md5Digest& digest) { return DigestFinal(context, digest.data(), digest.size()); }

// 32 lower-case hexadecimal characters, high nibble first.
inline std::string Md5Text(const Md5Digest& digest) { return HexText(digest.data(), digest.size()); }

// The digest text of a whole file, read at most 1024 bytes at a time; empty when the file cannot
// be opened (missing, a folder, held by a writer that shares no reading) or a read fails.
inline std::string ComputeFileMd5(const std::string& path) { return ComputeFileDigest(path, DigestAlgorithm::Md5); }

// The loop behind ComputeFileMd5: `read` fills at most `size` bytes and returns how many it
// delivered, 0 at the end, or a negative number on a read error (which yields empty text).
inline constexpr std::size_t Md5ReadSize = DigestReadSize;
inline std::string Md5TextOfReads(const std::function<long(char* buffer, std::size_t size)>& read) {
    return DigestTextOfReads(DigestAlgorithm::Md5, read);
}

// Digest texts are compared ignoring case: a manifest may write them in upper case.
bool SameDigest(std::string_view a, std::string_view b);

// Whether a manifest digest asks for a new file: a non-empty value that is not the file's digest
// (a missing file has the empty digest, so it always differs).
bool ManifestNamesOtherDigest(std::string_view manifestDigest, std::string_view fileDigest);

// The upper-case copy of a digest text that the main program shows.
std::string UpperCaseDigest(std::string_view digest);

}  // namespace qivyun
