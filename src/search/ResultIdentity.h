#pragma once
// Which results of different sites are the same file: a torrent is known by its info-hash, however a
// site writes it (a magnet link's btih in hexadecimal or base32, a bare hash, either case), an ed2k
// file by its MD4 hash (in an ed2k link or a magnet link's urn:ed2k).
#include <optional>
#include <string>
#include <string_view>

namespace qivyun {

// "btih:" and 40 lower-case hexadecimal digits, "ed2k:" and 32 of them, or for any other address
// "address:" and the address itself; empty for an empty address, which is never the same as another.
std::string ResultIdentity(std::string_view address);

// The number a site's total text gives ("23 ", "1,234"): its first run of decimal digits, with
// commas between groups; nothing when it holds no digit ("未知") or more than 18 of them.
std::optional<long long> TotalCount(std::string_view totalText);

}  // namespace qivyun
