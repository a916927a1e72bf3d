// Fuzz target: the file name a redirect gives the download.
//   byte 0      where the input is split
//   the rest    the target path before the split, the location after it
#include "updater/HttpReply.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace qivyun;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 1) return 0;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const size_t split = rest.size() * data[0] / 255;
    const std::string target(rest.substr(0, split));
    const std::string_view location = rest.substr(split);

    const std::string renamed = RedirectTargetPath(target, location);
    if (renamed == target) return 0;
    // Anything else stays in the target's folder under a plain name: no separator, no drive, no
    // step up, nothing empty.
    const size_t folderEnd = target.find_last_of("\\/");
    const std::string folder = folderEnd == std::string::npos ? std::string() : target.substr(0, folderEnd + 1);
    if (renamed.compare(0, folder.size(), folder) != 0) __builtin_trap();
    const std::string name = renamed.substr(folder.size());
    if (name.empty() || name == "." || name == "..") __builtin_trap();
    if (name.find_first_of("\\/:") != std::string::npos) __builtin_trap();
    if (name.find('?') != std::string::npos) __builtin_trap();
    if (location.find(name) == std::string_view::npos) __builtin_trap();
    return 0;
}
