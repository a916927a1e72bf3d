// qivyun skin pack DESCRIPTION OUT: the blob of a skin description and its atlas.
// qivyun skin info FILE: the reading result, the body size, the six stored counts, where the six
// tables and the atlas header lie in the body, and the atlas size.
// qivyun skin render FILE PART WIDTH HEIGHT OUT.png: one part (index or name) drawn by the
// nine-grid rule over the skin's background, as a PNG.
#include "SkinCommands.h"

#include "SearchCommands.h"
#include "art/PaletteNames.h"
#include "skin/container/PartPicture.h"
#include "skin/container/SkinContainer.h"
#include "skin/container/SkinDescription.h"
#include "skin/container/SkinParts.h"

#include <png.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>

namespace qivyun::tool {
namespace {

using namespace qivyun::skin;

constexpr char usage[] = "skin pack DESCRIPTION OUT | info FILE | render FILE PART WIDTH HEIGHT OUT.png";
constexpr int LargestPicture = 4096;

int SkinUsage() {
    std::cerr << "usage: qivyun " << usage << "\n"
              << "PART is an index 0-301 or a name of src/skin/SkinParts.h (PushButtonOver)\n";
    return 2;
}

std::vector<uint8_t> ReadWholeFile(const std::string& path, bool& ok) {
    std::ifstream file(path, std::ios::binary);
    ok = bool(file);
    return std::vector<uint8_t>{std::istreambuf_iterator<char>(file), {}};
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file.flush());
}

int Pack(const std::string& descriptionPath, const std::string& outPath) {
    ColourNames colours;
    for (const art::NamedColour& named : art::PaletteNames)
        colours[std::string(named.name)] = ColourRef(named.colour.r, named.colour.g, named.colour.b);
    try {
        if (!WriteWholeFile(outPath, PackSkinDescription(descriptionPath, colours))) {
            std::cerr << "qivyun skin pack: cannot write " << outPath << "\n";
            return 1;
        }
    } catch (const SkinDescriptionError& error) {
        std::cerr << "qivyun skin pack: " << error.what() << "\n";
        return 1;
    }
    return 0;
}

// Reads a skin file; prints why when it cannot be read.
bool Load(const std::string& path, SkinContainer& skin, SkinResult& result) {
    bool ok = false;
    const std::vector<uint8_t> bytes = ReadWholeFile(path, ok);
    if (!ok) {
        std::cerr << "qivyun skin: cannot read " << path << "\n";
        return false;
    }
    result = skin.Read(bytes.data(), bytes.size());
    return true;
}

int Info(const std::string& path) {
    SkinContainer skin;
    SkinResult result;
    if (!Load(path, skin, result)) return 1;
    std::cout << "result " << int(result) << "\n";
    if (result != SkinResult::Loaded && result != SkinResult::AtlasUnusable) return 1;
    const SkinLayout& layout = skin.Layout();
    std::cout << "body " << layout.bodySize << " bytes\ncounts";
    for (uint32_t count : layout.storedCounts) std::cout << ' ' << count;
    std::cout << "\ntables";
    for (uint64_t offset : layout.tableOffsets) std::cout << ' ' << offset;
    std::cout << "\natlas header " << layout.atlasHeaderOffset << "\n";
    if (result != SkinResult::Loaded) return 1;
    std::cout << "atlas " << skin.Atlas().width << " x " << skin.Atlas().height << "\n";
    return 0;
}

bool WritePng(const std::string& path, const PartPicture& picture) {
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "wb"), std::fclose);
    if (!file) return false;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    if (!info || setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return false;
    }
    png_init_io(png, file.get());
    png_set_IHDR(png, info, png_uint_32(picture.width), png_uint_32(picture.height), 8, PNG_COLOR_TYPE_RGB,
                 PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    std::vector<png_byte> row(size_t(picture.width) * 3);
    for (int y = 0; y < picture.height; ++y) {
        for (int x = 0; x < picture.width; ++x) {
            const uint32_t colour = picture.At(x, y);
            row[size_t(x) * 3] = png_byte(colour & 0xFF);
            row[size_t(x) * 3 + 1] = png_byte(colour >> 8 & 0xFF);
            row[size_t(x) * 3 + 2] = png_byte(colour >> 16 & 0xFF);
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return std::fflush(file.get()) == 0;
}

int Render(const Arguments& arguments) {
    const std::optional<int> width = ParseNumber(arguments[3]), height = ParseNumber(arguments[4]);
    std::optional<int> part = ParseNumber(arguments[2]);
    if (!part) part = IndexOfName(SkinPartNames, arguments[2]);
    if (!part || *part >= int(TableCapacity[4]) || !width || !height || *width < 1 || *height < 1 ||
        *width > LargestPicture || *height > LargestPicture)
        return SkinUsage();
    SkinContainer skin;
    SkinResult result;
    if (!Load(arguments[1], skin, result)) return 1;
    if (result != SkinResult::Loaded) {
        std::cerr << "qivyun skin render: the skin gives result " << int(result) << "\n";
        return 1;
    }
    if (!WritePng(arguments[5], RenderPart(skin, *part, *width, *height))) {
        std::cerr << "qivyun skin render: cannot write " << arguments[5] << "\n";
        return 1;
    }
    return 0;
}

}  // namespace

int RunSkin(const Arguments& arguments) {
    if (arguments.size() == 3 && arguments[0] == "pack") return Pack(arguments[1], arguments[2]);
    if (arguments.size() == 2 && arguments[0] == "info") return Info(arguments[1]);
    if (arguments.size() == 6 && arguments[0] == "render") return Render(arguments);
    return SkinUsage();
}

}  // namespace qivyun::tool
