#pragma once
// What the command-line programs say about a file they are given to read.
#include <optional>
#include <string>

namespace qivyun::tool {

// Why a file cannot be read as input ("file not found", "is a folder", "is not a file" for a pipe or
// a socket, or the system's reason), or nothing when it can.
std::optional<std::string> InputProblem(const std::string& path);

}  // namespace qivyun::tool
