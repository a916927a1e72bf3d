#pragma once
// The keyword as the search sites expect it in an address: UTF-8 with percent-encoding.
#include <string>
#include <string_view>

namespace qivyun {

// Letters and digits stay, each white-space byte (blank, tab, LF, VT, FF, CR) becomes "+", every
// other byte becomes "%" and two uppercase hexadecimal digits.
std::string PercentEncode(std::string_view bytes);

// PercentEncode of the GBK keyword turned into UTF-8. The keyword ends at its first zero byte, as
// the keyword box's text does.
std::string EncodeKeyword(std::string_view gbkKeyword);

}  // namespace qivyun
