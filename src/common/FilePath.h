#pragma once
// File names are UTF-8 inside the programs and in the portable core; the system's file functions
// take them as UTF-16 on Windows. A path made here names the file by its real name for the
// standard streams and std::filesystem on either system, whatever the system's code page.
#include <filesystem>
#include <string>
#include <string_view>

#ifdef _WIN32
#include "common/CodePage.h"
#endif

namespace qivyun {

inline std::filesystem::path FilePath(std::string_view utf8Name) {
#ifdef _WIN32
    return std::filesystem::path(WideFromUtf8(utf8Name));
#else
    return std::filesystem::path(std::string(utf8Name));
#endif
}

}  // namespace qivyun
