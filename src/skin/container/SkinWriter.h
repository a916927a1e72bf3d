#pragma once
// Writing a skin blob: the body laid out as the reader expects it, compressed behind the header.
#include "skin/container/SkinFormat.h"

#include <cstdint>
#include <vector>

namespace qivyun::skin {

// A 24-bit atlas: rows of width x 3 bytes (blue, green, red) padded to a multiple of 4, bottom
// row first, as a BMP file and a DIB hold them.
struct AtlasPixels {
    int width = 0, height = 0;
    std::vector<uint8_t> rows;
};

// The body: reserved bytes, the six counts at the tables' capacities, empty slots, the tables, the
// atlas's BITMAPINFO (24 bits, uncompressed, bottom-up) and its pixels.
std::vector<uint8_t> BuildSkinBody(const SkinTables& tables, const AtlasPixels& atlas);

// The blob of a body: magic, version flag 1, version 3, the body size, then the LZMA properties
// and stream (properties byte 0x5D, 8 MiB dictionary; an end marker only when asked for).
std::vector<uint8_t> PackSkinBody(const std::vector<uint8_t>& body, bool endMarker = false);

}  // namespace qivyun::skin
