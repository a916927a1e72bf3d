#include "Commands.h"

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace qivyun::tool {

std::string FileProblem(const std::string& path) {
    std::error_code error;
    const auto status = std::filesystem::status(path, error);
    if (status.type() == std::filesystem::file_type::not_found) return "file not found";
    if (status.type() == std::filesystem::file_type::directory) return "is a folder";
    std::ifstream file(path, std::ios::binary);
    return file ? "cannot be read" : std::strerror(errno);
}

}  // namespace qivyun::tool
