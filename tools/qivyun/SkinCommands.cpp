// qivyun skin pack DESCRIPTION OUT: the blob of a skin description and its atlas.
// qivyun skin info FILE: the reading result, the body size, the six stored counts, where the six
// tables and the atlas header lie in the body, and the atlas size; a result other than "loaded"
// is named with its meaning on stderr.
// qivyun skin render FILE PART WIDTH HEIGHT OUT.png: one part (index or name) drawn by the
// nine-grid rule over the skin's background, as a PNG.
// qivyun skin parts: the index, name and use of every part.
#include "SkinCommands.h"

#include "art/PaletteNames.h"
#include "skin/container/PartPicture.h"
#include "skin/container/SkinContainer.h"
#include "skin/container/SkinDescription.h"
#include "skin/container/SkinParts.h"

#include <png.h>

#include <cctype>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>

namespace qivyun::tool {
namespace {

using namespace qivyun::skin;

constexpr int LargestPicture = 4096;

// What a reading result means, for the line that names it.
const char* ResultMeaning(SkinResult result) {
    switch (result) {
        case SkinResult::Loaded: return "loaded";
        case SkinResult::NoBytes: return "the file is empty";
        case SkinResult::FileUnreadable: return "the file cannot be read whole";
        case SkinResult::AtlasUnusable: return "the tables were read, but the atlas cannot be located or made";
        case SkinResult::BadStream: return "not a skin: no skin header, a body of size 0 or a body that does not decode";
        case SkinResult::BadVersion: return "a skin of another format version";
    }
    return "unknown result";
}

bool WriteWholeFile(const std::string& path, const std::vector<uint8_t>& bytes) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    return bool(file.flush());
}

int Pack(const std::string& descriptionPath, const std::string& outPath) {
    if (const auto problem = InputProblem(descriptionPath))
        return Complain("skin pack", descriptionPath + ": " + *problem);
    ColourNames colours;
    for (const art::NamedColour& named : art::PaletteNames)
        colours[std::string(named.name)] = ColourRef(named.colour.r, named.colour.g, named.colour.b);
    try {
        if (!WriteWholeFile(outPath, PackSkinDescription(descriptionPath, colours)))
            return Complain("skin pack", "cannot write " + outPath + ": " + std::strerror(errno));
    } catch (const SkinDescriptionError& error) {
        return Complain("skin pack", error.what());
    }
    return ExitDone;
}

// Reads a skin file into `skin`; the result, or nothing after a line naming the file's problem.
std::optional<SkinResult> Load(const char* command, const std::string& path, SkinContainer& skin) {
    const auto bytes = ReadInput(command, path);
    if (!bytes) return std::nullopt;
    return skin.Read(reinterpret_cast<const uint8_t*>(bytes->data()), bytes->size());
}

int Info(const std::string& path) {
    SkinContainer skin;
    const auto result = Load("skin info", path, skin);
    if (!result) return ExitFailed;
    std::cout << "result " << int(*result) << "\n";
    if (*result == SkinResult::Loaded || *result == SkinResult::AtlasUnusable) {
        const SkinLayout& layout = skin.Layout();
        std::cout << "body " << layout.bodySize << " bytes\ncounts";
        for (uint32_t count : layout.storedCounts) std::cout << ' ' << count;
        std::cout << "\ntables";
        for (uint64_t offset : layout.tableOffsets) std::cout << ' ' << offset;
        std::cout << "\natlas header " << layout.atlasHeaderOffset << "\n";
    }
    if (*result != SkinResult::Loaded)
        return Complain("skin info", path + ": result " + std::to_string(int(*result)) + ": " + ResultMeaning(*result));
    std::cout << "atlas " << skin.Atlas().width << " x " << skin.Atlas().height << "\n";
    return ExitDone;
}

int Parts() {
    std::string out;
    for (const SkinName& part : SkinPartNames)
        out += std::to_string(part.index) + "\t" + std::string(part.name) + "\t" + std::string(part.what) + "\n";
    std::fwrite(out.data(), 1, out.size(), stdout);
    return ExitDone;
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

struct RenderOptions {
    std::string file;
    std::string part;  // index or name
    int width = 0;
    int height = 0;
    std::string out;
};

int Render(const RenderOptions& options) {
    SkinContainer skin;
    const auto result = Load("skin render", options.file, skin);
    if (!result) return ExitFailed;
    if (*result != SkinResult::Loaded)
        return Complain("skin render", options.file + ": result " + std::to_string(int(*result)) + ": " +
                                           ResultMeaning(*result));
    const int part = std::isdigit(static_cast<unsigned char>(options.part.front())) ? std::stoi(options.part)
                                                                                    : *IndexOfName(SkinPartNames, options.part);
    if (!WritePng(options.out, RenderPart(skin, part, options.width, options.height)))
        return Complain("skin render", "cannot write " + options.out + ": " + std::strerror(errno));
    return ExitDone;
}

// PART: an index of the part table or a part's name.
CLI::Validator PartName() {
    const std::string range = "0-" + std::to_string(TableCapacity[4] - 1);
    return CLI::Validator(
        [range](std::string& text) -> std::string {
            if (IndexOfName(SkinPartNames, text)) return {};
            if (WholeNumber(0, TableCapacity[4] - 1)(text).empty()) return {};
            return "no part is named " + Printable(text) + " (an index " + range + " or a name that qivyun skin parts lists)";
        },
        "INDEX|NAME");
}

}  // namespace

void AddSkinCommands(CommandTable& table) {
    CLI::App& skin = table.Add(table.Root(), "skin", "Pack, describe and draw skins (one of the commands below)",
                               "qivyun skin info resources/skin/QivYun.zor");

    auto pack = std::make_shared<std::pair<std::string, std::string>>();
    CLI::App& packCommand = table.Add(skin, "pack", "Pack a skin description and its atlas into a skin file",
                                      "qivyun skin pack resources/skin/QivYun.skin resources/skin/QivYun.zor",
                                      [pack] { return Pack(pack->first, pack->second); });
    packCommand.add_option("DESCRIPTION", pack->first, "The readable description (QivYun.skin)")->required();
    packCommand.add_option("OUT", pack->second, "The skin file to write")->required();

    auto infoFile = std::make_shared<std::string>();
    CLI::App& info = table.Add(skin, "info", "Describe a skin file: the reading result, its tables and its atlas",
                               "qivyun skin info resources/skin/QivYun.zor", [infoFile] { return Info(*infoFile); });
    info.add_option("FILE", *infoFile, "The skin file")->required();

    auto render = std::make_shared<RenderOptions>();
    CLI::App& renderCommand =
        table.Add(skin, "render", "Draw one part of a skin at a size over the skin's background, as a PNG",
                  "qivyun skin render resources/skin/QivYun.zor PushButtonOver 90 26 button.png",
                  [render] { return Render(*render); });
    renderCommand.add_option("FILE", render->file, "The skin file")->required();
    renderCommand.add_option("PART", render->part, "The part: its index or its name")->required()->check(PartName());
    renderCommand.add_option("WIDTH", render->width, "Pixels across")->required()->check(WholeNumber(1, LargestPicture));
    renderCommand.add_option("HEIGHT", render->height, "Pixels down")->required()->check(WholeNumber(1, LargestPicture));
    renderCommand.add_option("OUT", render->out, "The PNG file to write")->required();

    table.Add(skin, "parts", "List the skin's parts: index, name and what each one draws", "qivyun skin parts | grep Button",
              [] { return Parts(); });
}

}  // namespace qivyun::tool
