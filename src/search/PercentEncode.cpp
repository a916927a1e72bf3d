#include "search/PercentEncode.h"

#include "common/CodePage.h"

namespace qivyun {

std::string PercentEncode(std::string_view bytes) {
    static constexpr char hexDigits[] = "0123456789ABCDEF";
    std::string encoded;
    encoded.reserve(bytes.size() * 3);
    for (const char c : bytes) {
        const auto byte = static_cast<unsigned char>(c);
        if ((byte >= 'A' && byte <= 'Z') || (byte >= 'a' && byte <= 'z') || (byte >= '0' && byte <= '9')) {
            encoded += c;
        } else if (byte == ' ' || (byte >= '\t' && byte <= '\r')) {
            encoded += '+';
        } else {
            encoded += '%';
            encoded += hexDigits[byte >> 4];
            encoded += hexDigits[byte & 0x0F];
        }
    }
    return encoded;
}

std::string EncodeKeyword(std::string_view gbkKeyword) {
    const size_t end = gbkKeyword.find('\0');
    if (end != std::string_view::npos) gbkKeyword = gbkKeyword.substr(0, end);
    return PercentEncode(Utf8FromGbk(gbkKeyword));
}

}  // namespace qivyun
