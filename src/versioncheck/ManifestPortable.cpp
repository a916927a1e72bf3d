// The manifest where there is no platform ini reader: the same rules over the file's text.
#include "versioncheck/Manifest.h"

#include <cstdlib>

namespace qivyun {

std::string ManifestLocalPath() {
    const char* folder = std::getenv("TMPDIR");
    std::string path = folder && *folder ? folder : "/tmp";
    if (path.back() != '/') path += '/';
    return path + "QivYunUpdate.ini";
}

std::string ReadManifestValueAt(const std::string& path, std::string_view section, std::string_view key,
                                std::size_t bufferSize) {
    return ReadIniValue(ReadManifestFile(path).value_or(""), section, key, bufferSize);
}

}  // namespace qivyun
