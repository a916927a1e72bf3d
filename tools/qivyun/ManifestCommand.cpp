// qivyun manifest FILE SECTION KEY SIZE: a manifest value as a program reads it under a buffer of
// SIZE bytes (an absent value prints an empty line; a file that cannot be read is an error).
#include "VersionCommands.h"

#include "versioncheck/Manifest.h"

#include <charconv>
#include <fstream>
#include <iostream>

namespace qivyun::tool {

int RunManifest(const Arguments& arguments) {
    std::size_t size = 0;
    bool sizeValid = false;
    if (arguments.size() == 4) {
        const std::string& text = arguments[3];
        auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), size);
        sizeValid = error == std::errc() && end == text.data() + text.size() && size > 0 && size <= 65536;
    }
    if (!sizeValid) {
        std::cerr << "usage: qivyun manifest FILE SECTION KEY SIZE   (SIZE 1..65536, terminator included)\n";
        return 2;
    }
    if (!std::ifstream(arguments[0], std::ios::binary)) {
        std::cerr << "qivyun manifest: " << arguments[0] << ": " << FileProblem(arguments[0]) << "\n";
        return 1;
    }
    std::cout << ReadManifestValueAt(arguments[0], arguments[1], arguments[2], size) << "\n";
    return 0;
}

}  // namespace qivyun::tool
