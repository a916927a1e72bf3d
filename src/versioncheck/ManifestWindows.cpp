// The manifest through the platform's private-profile reader, as both programs read it.
#include "versioncheck/Manifest.h"

#include "common/CodePage.h"

#include <windows.h>

#include <vector>

namespace qivyun {

std::string ManifestLocalPath() {
    wchar_t folder[MAX_PATH + 1] = {};
    DWORD length = GetTempPathW(MAX_PATH + 1, folder);
    std::string path = Utf8FromWide(std::wstring_view(folder, length <= MAX_PATH ? length : 0));
    if (!path.empty() && path.back() != '\\') path += '\\';
    return path + "QivYunUpdate.ini";
}

std::string ReadManifestValueAt(const std::string& path, std::string_view section, std::string_view key,
                                std::size_t bufferSize) {
    if (bufferSize == 0) return {};
    // No default value: a missing file, section or key reads as empty.
    std::vector<char> buffer(bufferSize, '\0');
    DWORD length = GetPrivateProfileStringA(std::string(section).c_str(), std::string(key).c_str(), "", buffer.data(),
                                            static_cast<DWORD>(bufferSize), path.c_str());
    return std::string(buffer.data(), length < bufferSize ? length : bufferSize - 1);
}

}  // namespace qivyun
