#pragma once
// The request address of one result page: the engine's pieces joined in its pattern's order.
#include "search/SearchEngine.h"

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qivyun {

// The longest request address: the address is composed in a buffer of 1024 bytes.
inline constexpr size_t MaxRequestAddressLength = 1023;

struct RequestAddress {
    std::string address;
    // True when the keyword had to be shortened to keep the address within the limit.
    bool keywordShortened = false;
};

// The address for the GBK keyword and the page text. A keyword whose encoded form would make the
// address longer than MaxRequestAddressLength loses whole characters from its end until the
// address fits, so the address never ends inside a character or a percent escape and keeps its
// page part. Nothing when even an empty keyword does not fit.
std::optional<RequestAddress> ComposeRequestAddress(const SearchEngine& engine, std::string_view gbkKeyword,
                                                    std::string_view pageText);

}  // namespace qivyun
