#pragma once
// Small skins made in the tests: a few parts over a tiny atlas whose pixels say where they are.
#include "skin/container/SkinFormat.h"
#include "skin/container/SkinWriter.h"

#include <cstring>
#include <vector>

namespace qivyun::skin::test {

// An atlas of the given size whose pixel (x, y) is red x, green y, blue 7.
inline AtlasPixels CoordinateAtlas(int width, int height) {
    AtlasPixels atlas{width, height, {}};
    const size_t stride = (size_t(width) * 3 + 3) & ~size_t(3);
    atlas.rows.assign(stride * size_t(height), 0);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            uint8_t* p = atlas.rows.data() + size_t(height - 1 - y) * stride + size_t(x) * 3;
            p[0] = 7, p[1] = uint8_t(y), p[2] = uint8_t(x);
        }
    return atlas;
}

// Tables whose entries are recognisable: metric i is 100 + i, colour i is 0x010000 + i, and so on.
inline SkinTables NumberedTables() {
    SkinTables tables;
    for (size_t i = 0; i < tables.metrics.size(); ++i) tables.metrics[i] = int32_t(100 + i);
    for (size_t i = 0; i < tables.colours.size(); ++i) tables.colours[i] = uint32_t(0x010000 + i);
    for (size_t i = 0; i < tables.pairs.size(); ++i) tables.pairs[i] = SkinPoint{int32_t(i), -int32_t(i)};
    tables.records[0] = SkinRecord{{1, 2, 3, 4}};
    for (size_t i = 0; i < tables.parts.size(); ++i) tables.parts[i] = ImagePart{int32_t(i % 4), 0, 1, 1, 0, {}, {}, {}, {}, 0, 0, 0, 0, 0, 0, {}};
    for (size_t i = 0; i < tables.fonts.size(); ++i) tables.fonts[i].other[0] = uint8_t(i + 1);
    return tables;
}

// The stored count of table t in a body, and the body with `extra` entries of junk inserted at the
// end of table t (its stored count raised to match).
inline void SetStoredCount(std::vector<uint8_t>& body, size_t t, uint32_t count) {
    std::memcpy(body.data() + CountsOffset + 4 * t, &count, 4);
}

inline std::vector<uint8_t> WithExtraEntries(std::vector<uint8_t> body, size_t t, uint32_t extra) {
    size_t end = TablesOffset;
    for (size_t i = 0; i <= t; ++i) end += size_t(TableCapacity[i]) * TableEntrySize[i];
    body.insert(body.begin() + std::ptrdiff_t(end), size_t(extra) * TableEntrySize[t], uint8_t(0xEE));
    SetStoredCount(body, t, TableCapacity[t] + extra);
    return body;
}

}  // namespace qivyun::skin::test
