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

#ifdef _WIN32
// The system's side of every text: UTF-16. GBK is converted by code page 936 itself, never by the
// system's code page for non-Unicode programs, so that a text reads the same on every system.
std::wstring WideFromGbk(std::string_view gbk);
// Characters GBK cannot hold become "?" (a pair of surrogates is one character); `lossless`, when
// given, tells whether every character was held.
std::string GbkFromWide(std::wstring_view wide, bool* lossless = nullptr);
// File names and the network's text: UTF-8 in the portable core, UTF-16 at the system.
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view wide);
#endif

}  // namespace qivyun
