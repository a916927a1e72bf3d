#include "search/ResultIdentity.h"

#include <cstdint>

namespace qivyun {
namespace {

constexpr std::size_t InfoHashHexDigits = 40;
constexpr std::size_t InfoHashBase32Digits = 32;
constexpr std::size_t Ed2kHashHexDigits = 32;

char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool StartsWithIgnoringCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (Lower(text[i]) != Lower(prefix[i])) return false;
    return true;
}

bool IsHexDigit(char c) { return (c >= '0' && c <= '9') || (Lower(c) >= 'a' && Lower(c) <= 'f'); }

// The digits in lower case when `text` is exactly `count` hexadecimal digits.
std::optional<std::string> HexOfLength(std::string_view text, std::size_t count) {
    if (text.size() != count) return std::nullopt;
    std::string digits;
    for (const char c : text) {
        if (!IsHexDigit(c)) return std::nullopt;
        digits += Lower(c);
    }
    return digits;
}

// RFC 4648 base32 (A-Z, 2-7, either case) of a 20-byte info-hash, as hexadecimal digits.
std::optional<std::string> HexOfBase32InfoHash(std::string_view text) {
    if (text.size() != InfoHashBase32Digits) return std::nullopt;
    static const char hexDigits[] = "0123456789abcdef";
    std::string hex;
    std::uint32_t bits = 0;
    int bitCount = 0;
    for (const char c : text) {
        const char lower = Lower(c);
        int value;
        if (lower >= 'a' && lower <= 'z') {
            value = lower - 'a';
        } else if (c >= '2' && c <= '7') {
            value = c - '2' + 26;
        } else {
            return std::nullopt;
        }
        bits = (bits << 5) | static_cast<std::uint32_t>(value);
        bitCount += 5;
        while (bitCount >= 4) {
            bitCount -= 4;
            hex += hexDigits[(bits >> bitCount) & 0xF];
        }
    }
    return hex;
}

std::optional<std::string> InfoHashOf(std::string_view text) {
    if (auto hex = HexOfLength(text, InfoHashHexDigits)) return hex;
    return HexOfBase32InfoHash(text);
}

// The identity a magnet link's exact topics give (xt, xt.1, ...): its btih first, else its ed2k hash.
std::optional<std::string> MagnetIdentity(std::string_view query) {
    std::optional<std::string> ed2k;
    while (!query.empty()) {
        const std::size_t end = query.find('&');
        const std::string_view parameter = query.substr(0, end);
        query = end == std::string_view::npos ? std::string_view() : query.substr(end + 1);
        const std::size_t equals = parameter.find('=');
        if (equals == std::string_view::npos || !StartsWithIgnoringCase(parameter, "xt")) continue;
        const std::string_view topic = parameter.substr(equals + 1);
        if (StartsWithIgnoringCase(topic, "urn:btih:")) {
            if (auto hash = InfoHashOf(topic.substr(9))) return "btih:" + *hash;
        } else if (StartsWithIgnoringCase(topic, "urn:ed2k:") && !ed2k) {
            if (auto hash = HexOfLength(topic.substr(9), Ed2kHashHexDigits)) ed2k = "ed2k:" + *hash;
        }
    }
    return ed2k;
}

// ed2k://|file|NAME|SIZE|HASH|...: the hash is the fourth field after the scheme.
std::optional<std::string> Ed2kIdentity(std::string_view link) {
    std::string_view rest = link.substr(7);
    for (int field = 0; field < 4; ++field) {
        const std::size_t bar = rest.find('|');
        if (bar == std::string_view::npos) return std::nullopt;
        if (field == 0 && !StartsWithIgnoringCase(rest.substr(bar + 1), "file|")) return std::nullopt;
        rest = rest.substr(bar + 1);
    }
    if (auto hash = HexOfLength(rest.substr(0, rest.find('|')), Ed2kHashHexDigits)) return "ed2k:" + *hash;
    return std::nullopt;
}

}  // namespace

std::string ResultIdentity(std::string_view address) {
    if (address.empty()) return {};
    std::optional<std::string> identity;
    if (StartsWithIgnoringCase(address, "magnet:?")) {
        identity = MagnetIdentity(address.substr(8));
    } else if (StartsWithIgnoringCase(address, "ed2k://")) {
        identity = Ed2kIdentity(address);
    } else if (auto hash = InfoHashOf(address)) {
        identity = "btih:" + *hash;
    }
    return identity ? *identity : "address:" + std::string(address);
}

std::optional<long long> TotalCount(std::string_view totalText) {
    // no byte of a GBK character is an ASCII digit, so the first digit byte is a digit
    std::size_t at = totalText.find_first_of("0123456789");
    if (at == std::string_view::npos) return std::nullopt;
    long long count = 0;
    int digits = 0;
    for (; at < totalText.size(); ++at) {
        const char c = totalText[at];
        if (c >= '0' && c <= '9') {
            if (++digits > 18) return std::nullopt;
            count = count * 10 + (c - '0');
        } else if (!(c == ',' && at + 1 < totalText.size() && totalText[at + 1] >= '0' && totalText[at + 1] <= '9')) {
            break;
        }
    }
    if (digits == 0) return std::nullopt;
    return count;
}

}  // namespace qivyun
