#include "versioncheck/Md5.h"

#include <vector>

namespace qivyun {
namespace {

char AsciiUpper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }

}  // namespace

std::string Md5Text(const Md5Digest& digest) {
    static constexpr char hex[] = "0123456789abcdef";
    std::string text;
    text.reserve(2 * digest.size());
    for (unsigned char byte : digest) {
        text += hex[byte >> 4];
        text += hex[byte & 0x0F];
    }
    return text;
}

std::string Md5TextOfReads(const std::function<long(char* buffer, std::size_t size)>& read) {
    std::vector<char> buffer(Md5ReadSize);
    Md5Context context;
    Md5Init(context);
    for (;;) {
        long delivered = read(buffer.data(), buffer.size());
        if (delivered < 0) return {};  // a digest of part of the file would pass for the file's own
        if (delivered == 0) break;
        Md5Update(context, buffer.data(), static_cast<std::size_t>(delivered));
    }
    Md5Digest digest{};
    if (!Md5Final(context, digest)) return {};
    return Md5Text(digest);
}

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
