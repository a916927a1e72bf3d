#include "versioncheck/Digest.h"
#include "versioncheck/Md5.h"

#include <vector>

namespace qivyun {
namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::size_t DigestSize(DigestAlgorithm algorithm) { return algorithm == DigestAlgorithm::Md5 ? 16 : 32; }

std::string HexText(const unsigned char* bytes, std::size_t size) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * size);
    for (std::size_t i = 0; i < size; ++i) {
        text += hex[bytes[i] >> 4];
        text += hex[bytes[i] & 0x0F];
    }
    return text;
}

std::string DigestTextOfReads(DigestAlgorithm algorithm, const std::function<long(char* buffer, std::size_t size)>& read) {
    std::vector<char> buffer(DigestReadSize);
    DigestContext context;
    DigestInit(context, algorithm);
    for (;;) {
        long delivered = read(buffer.data(), buffer.size());
        if (delivered < 0) return {};  // a digest of part of the file would pass for the file's own
        if (delivered == 0) break;
        DigestUpdate(context, buffer.data(), static_cast<std::size_t>(delivered));
    }
    std::array<unsigned char, 32> digest{};
    const std::size_t size = DigestSize(algorithm);
    if (!DigestFinal(context, digest.data(), size)) return {};
    return HexText(digest.data(), size);
}

bool ComputeSha256(std::string_view bytes, Sha256Digest& digest) {
    DigestContext context;
    DigestInit(context, DigestAlgorithm::Sha256);
    DigestUpdate(context, bytes.data(), bytes.size());
    return DigestFinal(context, digest.data(), digest.size());
}

std::string ComputeFileSha256(const std::string& path) { return ComputeFileDigest(path, DigestAlgorithm::Sha256); }

bool SameDigest(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiUpper(a[i]) != AsciiUpper(b[i])) return false;
    return true;
}

bool ManifestNamesOtherDigest(std::string_view manifestDigest, std::string_view fileDigest) {
    return !manifestDigest.empty() && !SameDigest(manifestDigest, fileDigest);
}

std::string UpperCaseDigest(std::string_view digest) {
    std::string upper(digest);
    for (char& c : upper) c = AsciiUpper(c);
    return upper;
}

}  // namespace qivyun
