#pragma once
// Text inside the programs is GBK (code page 936); the network speaks UTF-8.
// One interface, two back ends: the platform's code page 936 on Windows, iconv elsewhere.
#include <string>
#include <string_view>

namespace qivyun {

// Characters that GBK cannot hold become "?".
std::string GbkFromUtf8(std::string_view utf8);

// Bytes that are not valid GBK become "?".
std::string Utf8FromGbk(std::string_view gbk);

}  // namespace qivyun
