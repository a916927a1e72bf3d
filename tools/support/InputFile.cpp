#include "support/InputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>

namespace qivyun::tool {

std::optional<std::string> InputProblem(const std::string& path) {
    namespace fs = std::filesystem;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found) return "file not found";
    if (error) return error.message();
    if (status.type() == fs::file_type::directory) return "is a folder";
    // reading a pipe or a socket would wait for a writer, or fail without a useful reason
    if (status.type() == fs::file_type::fifo || status.type() == fs::file_type::socket) return "is not a file";
    const int descriptor = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (descriptor < 0) return std::string(std::strerror(errno));
    ::close(descriptor);
    return std::nullopt;
}

}  // namespace qivyun::tool
