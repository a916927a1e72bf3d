#pragma once
// Reading a skin blob without Windows: the header checks, the LZMA body, the six tables copied
// under their capacities, and the atlas located and checked against the body's end.
#include "skin/container/SkinFormat.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qivyun::skin {

// Where the reader found things in the body.
struct SkinLayout {
    size_t bodySize = 0;
    std::array<uint32_t, TableCount> storedCounts{};
    std::array<uint64_t, TableCount> tableOffsets{};
    uint64_t atlasHeaderOffset = 0;
};

// A 24-bit bottom-up atlas inside the body.
struct AtlasView {
    int width = 0, height = 0;
    size_t stride = 0;               // bytes of one row, a multiple of 4
    const uint8_t* pixels = nullptr;  // the bottom row first, blue-green-red
    size_t pixelBytes = 0;            // stride x height

    bool Empty() const { return pixels == nullptr; }
    // The pixel at (x, y) counted from the top-left, as COLORREF; the caller stays inside.
    uint32_t Pixel(int x, int y) const {
        const uint8_t* p = pixels + size_t(height - 1 - y) * stride + size_t(x) * 3;
        return ColourRef(p[2], p[1], p[0]);
    }
};

class SkinContainer {
public:
    // Reads a blob. Codes 1, 5 and 6 leave everything as it was; code 4 leaves the tables empty
    // (counts at capacity, entries zero) and no atlas; 0 replaces tables and atlas.
    SkinResult Read(const uint8_t* bytes, size_t size);

    const SkinTables& Tables() const { return tables_; }
    const SkinLayout& Layout() const { return layout_; }
    const AtlasView& Atlas() const { return atlas_; }

    // Back to empty tables, as after a failed atlas (the atlas stays).
    void ClearTables() { tables_ = SkinTables{}; }
    // The colour table after a colour adjustment of the loaded skin.
    void SetColours(const std::array<uint32_t, 64>& colours) { tables_.colours = colours; }

private:
    SkinTables tables_;
    SkinLayout layout_;
    std::vector<uint8_t> body_;
    AtlasView atlas_;
};

}  // namespace qivyun::skin
