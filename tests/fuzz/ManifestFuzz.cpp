// Fuzz target: the manifest reader over any ini text.
//   byte 0      the buffer size the value is read under (1..256)
//   byte 1      which section and key are asked for
//   the rest    the manifest's text
#include "versioncheck/Manifest.h"

#include <cstdint>
#include <string>
#include <string_view>

using namespace qivyun;

namespace {

bool IsIniSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    if (size < 2) return 0;
    static const std::pair<const char*, const char*> asked[] = {
        {manifest::PlayerSection, manifest::DigestKey},  {manifest::PlayerSection, manifest::AddressKey},
        {manifest::UpdaterSection, manifest::DigestKey}, {manifest::CountSection, manifest::CountPageKey},
        {" qivyunplay ", "MD5"},                          {"", ""},
    };
    const size_t bufferSize = data[0] + 1u;
    const auto& [section, key] = asked[data[1] % std::size(asked)];
    const std::string text(reinterpret_cast<const char*>(data + 2), size - 2);

    const std::string value = ReadIniValue(text, section, key, bufferSize);
    // The value fits the buffer with its terminator, lies on one line of the text and is trimmed
    // at its start (a quote pair aside).
    if (value.size() > bufferSize - 1) __builtin_trap();
    if (value.find('\n') != std::string::npos) __builtin_trap();
    if (!value.empty() && text.find(value) == std::string::npos) __builtin_trap();
    if (!value.empty() && IsIniSpace(value.front()) && text.find("\"" + value) == std::string::npos &&
        text.find("'" + value) == std::string::npos)
        __builtin_trap();
    // Asking again gives the same answer, and a longer buffer only ever adds to it.
    if (ReadIniValue(text, section, key, bufferSize) != value) __builtin_trap();
    const std::string longer = ReadIniValue(text, section, key, bufferSize + 64);
    if (longer.compare(0, value.size(), value) != 0) __builtin_trap();
    return 0;
}
