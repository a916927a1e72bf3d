#pragma once
// A folder of a test's own in the temporary folder, named in UTF-8 as the programs name files,
// made when the object is and removed with everything in it when it goes.
#include <string>
#include <string_view>

namespace qivyun::test {

// "Zoë 한국" in UTF-8: a name that GBK cannot hold, nor the code pages 1252 and 950.
inline constexpr char NameGbkCannotHold[] = "Zo\xC3\xAB \xED\x95\x9C\xEA\xB5\xAD";

class ScratchFolder {
public:
    explicit ScratchFolder(std::string_view name);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& Path() const { return path_; }
    // A file in the folder.
    std::string operator/(std::string_view name) const { return path_ + "\\" + std::string(name); }

private:
    std::string path_;
};

// A whole file, read and written by its UTF-8 name; empty when it cannot be read.
std::string ReadFileBytes(const std::string& path);
void WriteFileBytes(const std::string& path, std::string_view bytes);
bool FileExists(const std::string& path);

}  // namespace qivyun::test
