#include "ScratchFolder.h"

#include "common/CodePage.h"
#include "common/FilePath.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace qivyun::test {

ScratchFolder::ScratchFolder(std::string_view name) {
    wchar_t temporary[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathW(MAX_PATH + 1, temporary);
    path_ = Utf8FromWide(std::wstring_view(temporary, length)) + std::string(name) + "-" +
            std::to_string(GetCurrentProcessId());
    std::error_code error;
    std::filesystem::remove_all(FilePath(path_), error);
    std::filesystem::create_directories(FilePath(path_), error);
}

ScratchFolder::~ScratchFolder() {
    std::error_code error;
    std::filesystem::remove_all(FilePath(path_), error);
}

std::string ReadFileBytes(const std::string& path) {
    std::ifstream file(FilePath(path), std::ios::binary);
    std::ostringstream content;
    content << file.rdbuf();
    return content.str();
}

void WriteFileBytes(const std::string& path, std::string_view bytes) {
    std::ofstream(FilePath(path), std::ios::binary | std::ios::trunc) << bytes;
}

bool FileExists(const std::string& path) {
    return GetFileAttributesW(WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace qivyun::test
