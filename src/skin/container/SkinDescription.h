#pragma once
// The readable description of a skin, from which the packer builds the blob. One statement a line,
// '#' starts a comment; names are those of SkinParts.h:
//
//   atlas FILE WIDTH HEIGHT        the 24-bit BMP of the atlas, relative to the description
//   metric NAME VALUE
//   colour NAME COLOUR
//   pair NAME X Y
//   part NAME X Y WIDTH HEIGHT [margins LEFT TOP RIGHT BOTTOM] [fill TLCRB] [key COLOUR]
//        [glyph X Y WIDTH HEIGHT [key COLOUR]]
//
// A COLOUR is three numbers R G B or a name the caller knows (the palette's). TLCRB is five digits
// 0 or 1: top, left, centre, right and bottom edge; 1 tiles that piece, 0 stretches it. Entries
// that the description does not name stay zero.
#include "skin/container/SkinFormat.h"
#include "skin/container/SkinWriter.h"

#include <map>
#include <stdexcept>
#include <string>

namespace qivyun::skin {

struct SkinDescription {
    SkinTables tables;
    std::string atlasFile;  // as written in the description
    int atlasWidth = 0, atlasHeight = 0;
};

// A fault in a description or its atlas; the text names the line.
struct SkinDescriptionError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Named colours as COLORREF values.
using ColourNames = std::map<std::string, uint32_t>;

SkinDescription ParseSkinDescription(const std::string& text, const ColourNames& colourNames);

// Reads a 24-bit uncompressed bottom-up BMP file.
AtlasPixels ReadAtlasBmp(const std::string& path);

// Reads a description file and its atlas, which must have the declared size, and gives the blob.
std::vector<uint8_t> PackSkinDescription(const std::string& descriptionPath, const ColourNames& colourNames);

}  // namespace qivyun::skin
