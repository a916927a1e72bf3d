#include "versioncheck/Manifest.h"

#include "common/FilePath.h"

#include <fstream>

namespace qivyun {
namespace {

// The ini reader treats the DOS end-of-file mark like white space.
bool IsIniSpace(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f' || c == 0x1A; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsIniSpace(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsIniSpace(text.back())) text.remove_suffix(1);
    return text;
}

constexpr std::size_t LargestManifest = 1u << 20;

char AsciiLower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

bool SameName(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (AsciiLower(a[i]) != AsciiLower(b[i])) return false;
    return true;
}

}  // namespace

IniValue LookUpIniValue(std::string_view iniText, std::string_view section, std::string_view key,
                        std::size_t bufferSize) {
    IniValue found;
    if (bufferSize == 0) return found;
    // A manifest saved by an editor that marks UTF-8 must still show its first section.
    if (iniText.substr(0, 3) == "\xEF\xBB\xBF") iniText.remove_prefix(3);
    section = Trim(section);
    key = Trim(key);

    bool inSection = false;
    while (!iniText.empty()) {
        std::size_t end = iniText.find('\n');
        std::string_view line = Trim(iniText.substr(0, end));
        iniText.remove_prefix(end == std::string_view::npos ? iniText.size() : end + 1);
        if (line.empty()) continue;

        if (line.front() == '[') {
            std::size_t close = line.find(']');
            if (close != std::string_view::npos) {
                // Only the first section of a name is read: a later one of the same name is not.
                if (inSection) return found;
                inSection = SameName(Trim(line.substr(1, close - 1)), section);
                if (inSection) found.lookup = IniLookup::NoKey;
                continue;
            }
        }
        if (!inSection) continue;

        std::size_t equals = line.find('=');
        std::string_view name = Trim(line.substr(0, equals));
        if (!SameName(name, key)) continue;
        found.lookup = IniLookup::Found;
        if (equals == std::string_view::npos) return found;
        std::string_view value = Trim(line.substr(equals + 1));
        if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
            value = value.substr(1, value.size() - 2);
        found.value = std::string(value.substr(0, bufferSize - 1));
        return found;
    }
    return found;
}

std::string ReadIniValue(std::string_view iniText, std::string_view section, std::string_view key,
                         std::size_t bufferSize) {
    return LookUpIniValue(iniText, section, key, bufferSize).value;
}

std::optional<std::string> ReadManifestFile(const std::string& path) {
    std::ifstream file(FilePath(path), std::ios::binary);
    if (!file) return std::nullopt;
    std::string content;
    char block[4096];
    while (file.read(block, sizeof block) || file.gcount() > 0) {
        content.append(block, static_cast<std::size_t>(file.gcount()));
        if (content.size() > LargestManifest) return std::nullopt;
    }
    if (file.bad()) return std::nullopt;
    return content;
}

}  // namespace qivyun
