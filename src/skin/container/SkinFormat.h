#pragma once
// The skin blob: a 15-byte header, then a raw LZMA stream of the body. The body holds six
// fixed-size tables and a 24-bit bottom-up atlas from which every skinned element is cut. All
// integers are little-endian, as the structures below are laid out in memory.
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>

namespace qivyun::skin {

static_assert(std::endian::native == std::endian::little, "the skin's tables are copied as they lie in memory");

// Header of the blob.
inline constexpr uint8_t Magic[4] = {'.', 'Z', 'O', 'R'};
inline constexpr size_t VersionFlagOffset = 4;
inline constexpr size_t VersionOffset = 5;
inline constexpr uint8_t FormatVersion = 3;
inline constexpr size_t BodySizeOffset = 6;
inline constexpr size_t LzmaPropertiesOffset = 10;
inline constexpr size_t LzmaPropertiesSize = 5;
inline constexpr size_t StreamOffset = 15;
// Our packer's LZMA settings: lc 3, lp 0, pb 2 and an 8 MiB dictionary.
inline constexpr uint8_t LzmaPropertiesByte = 0x5D;
inline constexpr uint32_t LzmaDictionarySize = 8u << 20;

// Layout of the body.
inline constexpr size_t ReservedSize = 272;
inline constexpr size_t CountsOffset = 272;
inline constexpr size_t SlotsOffset = 296;  // the writer's table addresses; never read
inline constexpr size_t TablesOffset = 320;
inline constexpr size_t TableCount = 6;
inline constexpr std::array<uint32_t, TableCount> TableCapacity = {25, 64, 15, 1, 302, 13};
inline constexpr std::array<uint32_t, TableCount> TableEntrySize = {4, 4, 8, 16, 72, 76};
inline constexpr size_t AtlasHeaderSize = 44;  // BITMAPINFOHEADER and one unused colour slot
inline constexpr size_t BitmapInfoHeaderSize = 40;

// Result codes of reading a skin.
enum class SkinResult : int {
    Loaded = 0,
    NoBytes = 1,        // no bytes or size 0
    FileUnreadable = 2, // a skin file that cannot be opened, is empty or reads short
    AtlasUnusable = 4,  // the atlas cannot be located or made; the tables are left empty
    BadStream = 5,      // bad magic, body size 0, or an LZMA stream that does not decode
    BadVersion = 6,     // the version flag is set and the version is not 3
};

// One image part: a rectangle of the atlas and how it is spread over a destination.
struct ImagePart {
    int32_t x, y, width, height;
    uint32_t transparentColour;  // COLORREF 0x00BBGGRR; 0 means opaque
    int32_t glyphX, glyphY, glyphWidth, glyphHeight;  // a second picture some skinners draw on top
    uint32_t glyphTransparentColour;
    int32_t left, top, right, bottom;  // nine-grid margins: corners of these sizes are copied unscaled
    int32_t fillMode;  // decimal digits TLCRB (top, left, centre, right, bottom): 1 tiles, 0 stretches
    int32_t reserved[3];
};
static_assert(sizeof(ImagePart) == 72);

struct SkinPoint {
    int32_t x, y;
};
static_assert(sizeof(SkinPoint) == 8);

struct SkinRecord {
    int32_t values[4];
};
static_assert(sizeof(SkinRecord) == 16);

// 16 bytes that carry nothing, then a LOGFONTA as it lies in memory (60 bytes; the face name,
// in GBK, starts at byte 28).
struct FontEntry {
    uint8_t other[16];
    uint8_t logFont[60];
    static constexpr size_t FaceNameOffset = 28;
    bool Empty() const { return logFont[FaceNameOffset] == 0; }
};
static_assert(sizeof(FontEntry) == 76);

// The header and the six tables at their capacities.
struct SkinTables {
    std::array<uint8_t, ReservedSize> reserved{};
    std::array<uint32_t, TableCount> counts = TableCapacity;
    std::array<int32_t, 25> metrics{};
    std::array<uint32_t, 64> colours{};
    std::array<SkinPoint, 15> pairs{};
    std::array<SkinRecord, 1> records{};
    std::array<ImagePart, 302> parts{};
    std::array<FontEntry, 13> fonts{};
};

// COLORREF of a colour.
constexpr uint32_t ColourRef(uint8_t r, uint8_t g, uint8_t b) { return r | (g << 8) | (uint32_t(b) << 16); }
inline constexpr uint32_t Magenta = ColourRef(255, 0, 255);

}  // namespace qivyun::skin
