#include "search/RequestAddress.h"

#include "search/PercentEncode.h"

namespace qivyun {
namespace {

std::string JoinPieces(const SearchEngine& engine, std::string_view encodedKeyword, std::string_view pageText) {
    std::string address;
    for (const AddressPiece& piece : engine.addressPattern) {
        switch (piece.kind) {
            case AddressPiece::Kind::End: return address;
            case AddressPiece::Kind::BaseAddress: address += engine.baseAddress; break;
            case AddressPiece::Kind::Text: address += piece.text; break;
            case AddressPiece::Kind::EncodedKeyword: address += encodedKeyword; break;
            case AddressPiece::Kind::PageText: address += pageText; break;
        }
    }
    return address;
}

// The longest encoded prefix of the keyword, in whole GBK characters, that fits in budget bytes.
std::string EncodedPrefixWithin(std::string_view gbkKeyword, size_t budget) {
    std::string encoded;
    for (size_t i = 0; i < gbkKeyword.size();) {
        const auto lead = static_cast<unsigned char>(gbkKeyword[i]);
        const size_t length = (lead >= 0x81 && lead <= 0xFE && i + 1 < gbkKeyword.size()) ? 2 : 1;
        const std::string character = EncodeKeyword(gbkKeyword.substr(i, length));
        if (encoded.size() + character.size() > budget) break;
        encoded += character;
        i += length;
    }
    return encoded;
}

}  // namespace

std::optional<RequestAddress> ComposeRequestAddress(const SearchEngine& engine, std::string_view gbkKeyword,
                                                    std::string_view pageText) {
    const size_t end = gbkKeyword.find('\0');
    if (end != std::string_view::npos) gbkKeyword = gbkKeyword.substr(0, end);
    std::string encoded = EncodeKeyword(gbkKeyword);
    std::string address = JoinPieces(engine, encoded, pageText);
    if (address.size() <= MaxRequestAddressLength) return RequestAddress{std::move(address), false};

    // Every pattern holds the keyword once.
    const size_t fixedLength = JoinPieces(engine, {}, pageText).size();
    if (fixedLength > MaxRequestAddressLength) return std::nullopt;
    encoded = EncodedPrefixWithin(gbkKeyword, MaxRequestAddressLength - fixedLength);
    return RequestAddress{JoinPieces(engine, encoded, pageText), true};
}

}  // namespace qivyun
