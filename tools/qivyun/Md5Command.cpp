// qivyun md5 FILE: the file's digest as the programs compute it; exit 1 with the cause on stderr
// when the file cannot be read.
#include "VersionCommands.h"

#include "versioncheck/Md5.h"

#include <iostream>

namespace qivyun::tool {

int RunMd5(const Arguments& arguments) {
    if (arguments.size() != 1) {
        std::cerr << "usage: qivyun md5 FILE\n";
        return 2;
    }
    const std::string digest = ComputeFileMd5(arguments[0]);
    if (digest.empty()) {
        std::cerr << "qivyun md5: " << arguments[0] << ": " << FileProblem(arguments[0]) << "\n";
        return 1;
    }
    std::cout << digest << "\n";
    return 0;
}

}  // namespace qivyun::tool
