#pragma once
// The places of the running program, as the programs keep file names: UTF-8, read from the system
// in UTF-16, so that a folder whose name the system's code page cannot hold is still found.
#include <string>

namespace qivyun {

// The full path of the program's executable file.
std::string ModulePath();
// The process's current folder, without a closing backslash (except for a drive's root).
std::string CurrentFolder();

}  // namespace qivyun
