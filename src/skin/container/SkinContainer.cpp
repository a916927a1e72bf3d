#include "skin/container/SkinContainer.h"

#include "skin/container/LzmaBody.h"

#include <algorithm>
#include <cstring>

namespace qivyun::skin {
namespace {

uint32_t Load32(const uint8_t* p) {
    uint32_t value;
    std::memcpy(&value, p, 4);
    return value;
}

// The start of each table's destination inside SkinTables.
std::array<uint8_t*, TableCount> TableBuffers(SkinTables& tables) {
    return {reinterpret_cast<uint8_t*>(tables.metrics.data()), reinterpret_cast<uint8_t*>(tables.colours.data()),
            reinterpret_cast<uint8_t*>(tables.pairs.data()),   reinterpret_cast<uint8_t*>(tables.records.data()),
            reinterpret_cast<uint8_t*>(tables.parts.data()),   reinterpret_cast<uint8_t*>(tables.fonts.data())};
}

// The atlas whose BITMAPINFO lies at `offset`, when the header is a 24-bit uncompressed bottom-up
// bitmap whose rows all lie inside the body.
bool LocateAtlas(const std::vector<uint8_t>& body, uint64_t offset, AtlasView& atlas) {
    if (offset > body.size() || body.size() - offset < AtlasHeaderSize) return false;
    const uint8_t* header = body.data() + offset;
    const uint32_t headerSize = Load32(header);
    const int32_t width = int32_t(Load32(header + 4));
    const int32_t height = int32_t(Load32(header + 8));
    const uint16_t planes = uint16_t(header[12] | header[13] << 8);
    const uint16_t bitCount = uint16_t(header[14] | header[15] << 8);
    const uint32_t compression = Load32(header + 16);
    if (headerSize != BitmapInfoHeaderSize || width <= 0 || height <= 0 || planes != 1 || bitCount != 24 ||
        compression != 0)
        return false;
    const uint64_t stride = (uint64_t(width) * 3 + 3) & ~uint64_t(3);
    const uint64_t available = body.size() - offset - AtlasHeaderSize;
    if (stride > available / uint64_t(height)) return false;
    atlas.width = width;
    atlas.height = height;
    atlas.stride = size_t(stride);
    atlas.pixels = header + AtlasHeaderSize;
    atlas.pixelBytes = size_t(stride * uint64_t(height));
    return true;
}

}  // namespace

SkinResult SkinContainer::Read(const uint8_t* bytes, size_t size) {
    if (bytes == nullptr || size == 0) return SkinResult::NoBytes;
    if (size < StreamOffset || std::memcmp(bytes, Magic, sizeof Magic) != 0) return SkinResult::BadStream;
    if (bytes[VersionFlagOffset] != 0 && bytes[VersionOffset] != FormatVersion) return SkinResult::BadVersion;
    const uint32_t bodySize = Load32(bytes + BodySizeOffset);
    if (bodySize == 0) return SkinResult::BadStream;

    std::vector<uint8_t> body;
    if (!DecodeLzmaBody(bytes + LzmaPropertiesOffset, bytes + StreamOffset, size - StreamOffset, bodySize, body))
        return SkinResult::BadStream;

    SkinTables tables;
    SkinLayout layout;
    layout.bodySize = body.size();
    if (body.size() >= TablesOffset)
        for (size_t t = 0; t < TableCount; ++t) layout.storedCounts[t] = Load32(body.data() + CountsOffset + 4 * t);

    // Each table takes min(capacity, stored) entries; the next one starts after all stored entries.
    // Entries that would lie past the body's end stay zero.
    const std::array<uint8_t*, TableCount> buffers = TableBuffers(tables);
    uint64_t offset = TablesOffset;
    for (size_t t = 0; t < TableCount; ++t) {
        layout.tableOffsets[t] = offset;
        const uint64_t entrySize = TableEntrySize[t];
        const uint64_t wanted = std::min<uint64_t>(TableCapacity[t], layout.storedCounts[t]);
        const uint64_t present = offset < body.size() ? (body.size() - offset) / entrySize : 0;
        const uint64_t copied = std::min(wanted, present);
        if (copied > 0) std::memcpy(buffers[t], body.data() + offset, size_t(copied * entrySize));
        offset += uint64_t(layout.storedCounts[t]) * entrySize;
    }
    layout.atlasHeaderOffset = offset;

    AtlasView atlas;
    if (!LocateAtlas(body, offset, atlas)) {
        tables_ = SkinTables{};
        layout_ = layout;
        body_.clear();
        atlas_ = AtlasView{};
        return SkinResult::AtlasUnusable;
    }
    tables_ = tables;
    layout_ = layout;
    body_ = std::move(body);  // the atlas view points into the moved buffer, which keeps its storage
    atlas_ = atlas;
    return SkinResult::Loaded;
}

}  // namespace qivyun::skin
