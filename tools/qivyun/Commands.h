#pragma once
// The subcommands of the qivyun tool. Each lives in a file of its own and is listed in main.cpp.
#include <string>
#include <vector>

namespace qivyun::tool {

using Arguments = std::vector<std::string>;

// A subcommand: its name, a one-line usage text and the routine, which returns the exit code
// (2 for bad arguments).
struct Command {
    const char* name;
    const char* usage;
    int (*run)(const Arguments& arguments);
};

// Why a file cannot be read, as the last part of an error line: "file not found", "is a folder",
// or the system's reason.
std::string FileProblem(const std::string& path);

}  // namespace qivyun::tool
