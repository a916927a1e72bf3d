#include "skin/container/SkinWriter.h"

#include "skin/container/LzmaBody.h"

#include <cstring>
#include <stdexcept>

namespace qivyun::skin {
namespace {

void Append(std::vector<uint8_t>& out, const void* data, size_t size) {
    const auto* bytes = static_cast<const uint8_t*>(data);
    out.insert(out.end(), bytes, bytes + size);
}

void Append32(std::vector<uint8_t>& out, uint32_t value) { Append(out, &value, 4); }

}  // namespace

std::vector<uint8_t> BuildSkinBody(const SkinTables& tables, const AtlasPixels& atlas) {
    const size_t stride = (size_t(atlas.width) * 3 + 3) & ~size_t(3);
    if (atlas.width <= 0 || atlas.height <= 0 || atlas.rows.size() != stride * size_t(atlas.height))
        throw std::invalid_argument("the atlas rows do not match its size");
    std::vector<uint8_t> body;
    Append(body, tables.reserved.data(), tables.reserved.size());
    for (uint32_t count : TableCapacity) Append32(body, count);
    body.resize(body.size() + 4 * TableCount, 0);
    Append(body, tables.metrics.data(), sizeof tables.metrics);
    Append(body, tables.colours.data(), sizeof tables.colours);
    Append(body, tables.pairs.data(), sizeof tables.pairs);
    Append(body, tables.records.data(), sizeof tables.records);
    Append(body, tables.parts.data(), sizeof tables.parts);
    Append(body, tables.fonts.data(), sizeof tables.fonts);
    // BITMAPINFOHEADER: size, width, height, planes 1, 24 bits, BI_RGB, image size, 72 dpi, no palette.
    Append32(body, uint32_t(BitmapInfoHeaderSize));
    Append32(body, uint32_t(atlas.width));
    Append32(body, uint32_t(atlas.height));
    Append32(body, 1u | (24u << 16));
    Append32(body, 0);
    Append32(body, uint32_t(atlas.rows.size()));
    Append32(body, 2835);
    Append32(body, 2835);
    Append32(body, 0);
    Append32(body, 0);
    Append32(body, 0);  // the unused colour slot
    Append(body, atlas.rows.data(), atlas.rows.size());
    return body;
}

std::vector<uint8_t> PackSkinBody(const std::vector<uint8_t>& body, bool endMarker) {
    std::vector<uint8_t> blob(Magic, Magic + sizeof Magic);
    blob.push_back(1);
    blob.push_back(FormatVersion);
    Append32(blob, uint32_t(body.size()));
    const std::vector<uint8_t> stream = EncodeLzmaBody(body, endMarker);
    Append(blob, stream.data(), stream.size());
    return blob;
}

}  // namespace qivyun::skin
