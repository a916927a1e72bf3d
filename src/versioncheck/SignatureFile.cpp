#include "versioncheck/Digest.h"
#include "versioncheck/Signature.h"

#include <vector>

namespace qivyun {
namespace {

constexpr std::string_view Title = "QivYun manifest signature";
constexpr std::string_view AlgorithmLine = "algorithm: ECDSA P-256 SHA-256";
constexpr std::string_view KeyField = "key: ";
constexpr std::string_view SignatureField = "signature: ";
constexpr std::size_t KeyIdBytes = 8;

int HexValue(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

// The lines of a text, each without its LF and a CR before it.
std::vector<std::string_view> Lines(std::string_view text) {
    std::vector<std::string_view> lines;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        lines.push_back(line);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
    }
    return lines;
}

}  // namespace

bool DecodeHex(std::string_view hex, unsigned char* bytes, std::size_t size) {
    if (hex.size() != 2 * size) return false;
    for (std::size_t i = 0; i < size; ++i) {
        const int high = HexValue(hex[2 * i]), low = HexValue(hex[2 * i + 1]);
        if (high < 0 || low < 0) return false;
        bytes[i] = static_cast<unsigned char>(high << 4 | low);
    }
    return true;
}

std::optional<PublicKey> PublicKeyFromHex(std::string_view hex) {
    PublicKey key{};
    if (!DecodeHex(hex, key.data(), key.size()) || key[0] != 0x04) return std::nullopt;
    return key;
}

std::string PublicKeyHex(const PublicKey& key) { return HexText(key.data(), key.size()); }

std::string KeyId(const PublicKey& key) {
    Sha256Digest digest{};
    ComputeSha256(std::string_view(reinterpret_cast<const char*>(key.data()), key.size()), digest);
    return HexText(digest.data(), KeyIdBytes);
}

std::optional<SignatureFile> ReadSignatureFile(std::string_view text) {
    const std::vector<std::string_view> lines = Lines(text);
    if (lines.size() != 4 || lines[0] != Title || lines[1] != AlgorithmLine) return std::nullopt;
    if (lines[2].substr(0, KeyField.size()) != KeyField || lines[3].substr(0, SignatureField.size()) != SignatureField)
        return std::nullopt;
    SignatureFile file;
    std::array<unsigned char, KeyIdBytes> keyId{};
    if (!DecodeHex(lines[2].substr(KeyField.size()), keyId.data(), keyId.size())) return std::nullopt;
    if (!DecodeHex(lines[3].substr(SignatureField.size()), file.signature.data(), file.signature.size()))
        return std::nullopt;
    file.keyId = HexText(keyId.data(), keyId.size());
    return file;
}

std::string WriteSignatureFile(const PublicKey& key, const RawSignature& signature) {
    std::string text;
    for (const std::string& line : {std::string(Title), std::string(AlgorithmLine), std::string(KeyField) + KeyId(key),
                                    std::string(SignatureField) + HexText(signature.data(), signature.size())})
        text += line + "\r\n";
    return text;
}

}  // namespace qivyun
