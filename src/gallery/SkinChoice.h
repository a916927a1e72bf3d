#pragma once
// Which skin the gallery shows, from its command line: a skin file, the built-in skin, or none
// (the system's look, to compare with), and what a skin load's result code means.
#include <string>
#include <string_view>
#include <vector>

namespace qivyun::gallery {

struct SkinChoice {
    enum class Source { BuiltIn, File, None };
    Source source = Source::BuiltIn;
    std::string file;  // UTF-8, for Source::File
};

// The arguments after the program's name: none for the built-in skin, "--no-skin" for none, else
// the skin file's path.
SkinChoice ChooseSkin(const std::vector<std::string>& arguments);

// A load result code's meaning for a skin author, in GBK.
std::string LoadResultMeaning(int result);

}  // namespace qivyun::gallery
