#include "skin/container/SkinDescription.h"

#include "skin/container/SkinParts.h"

#include <cctype>
#include <charconv>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>
#include <vector>

namespace qivyun::skin {
namespace {

// The words of one statement, read from the front.
class Statement {
public:
    Statement(int lineNumber, std::vector<std::string> words) : line_(lineNumber), words_(std::move(words)) {}

    [[noreturn]] void Fail(const std::string& message) const {
        throw SkinDescriptionError("line " + std::to_string(line_) + ": " + message);
    }
    bool AtEnd() const { return next_ == words_.size(); }
    bool NextIsNumber() const {
        return !AtEnd() && (std::isdigit(static_cast<unsigned char>(words_[next_][0])) || words_[next_][0] == '-');
    }
    bool Take(const char* keyword) {
        if (AtEnd() || words_[next_] != keyword) return false;
        ++next_;
        return true;
    }
    std::string Word(const char* what) {
        if (AtEnd()) Fail(std::string("missing ") + what);
        return words_[next_++];
    }
    int32_t Number(const char* what) {
        const std::string word = Word(what);
        int32_t value = 0;
        const auto [end, error] = std::from_chars(word.data(), word.data() + word.size(), value);
        if (error != std::errc() || end != word.data() + word.size()) Fail(std::string(what) + " is not a number: " + word);
        return value;
    }
    uint32_t Colour(const ColourNames& names) {
        if (NextIsNumber()) {
            const int32_t r = Number("red"), g = Number("green"), b = Number("blue");
            for (int32_t c : {r, g, b})
                if (c < 0 || c > 255) Fail("a colour component lies outside 0-255");
            return ColourRef(uint8_t(r), uint8_t(g), uint8_t(b));
        }
        const std::string name = Word("colour");
        const auto found = names.find(name);
        if (found == names.end()) Fail("unknown colour " + name);
        return found->second;
    }
    template <size_t N>
    int Index(const SkinName (&names)[N], const char* table) {
        const std::string name = Word("name");
        const std::optional<int> index = IndexOfName(names, name);
        if (!index) Fail(std::string("no ") + table + " is named " + name);
        return *index;
    }
    void End() const {
        if (!AtEnd()) Fail("unexpected " + words_[next_]);
    }

private:
    int line_;
    std::vector<std::string> words_;
    size_t next_ = 0;
};

void ParsePart(Statement& statement, ImagePart& part, const ColourNames& colours) {
    part.x = statement.Number("x");
    part.y = statement.Number("y");
    part.width = statement.Number("width");
    part.height = statement.Number("height");
    while (!statement.AtEnd()) {
        if (statement.Take("margins")) {
            part.left = statement.Number("left margin");
            part.top = statement.Number("top margin");
            part.right = statement.Number("right margin");
            part.bottom = statement.Number("bottom margin");
        } else if (statement.Take("fill")) {
            const std::string digits = statement.Word("fill mode");
            if (digits.size() != 5 || digits.find_first_not_of("01") != std::string::npos)
                statement.Fail("a fill mode is five digits 0 or 1 (top, left, centre, right, bottom)");
            part.fillMode = std::stoi(digits);
        } else if (statement.Take("key")) {
            part.transparentColour = statement.Colour(colours);
        } else if (statement.Take("glyph")) {
            part.glyphX = statement.Number("glyph x");
            part.glyphY = statement.Number("glyph y");
            part.glyphWidth = statement.Number("glyph width");
            part.glyphHeight = statement.Number("glyph height");
            if (statement.Take("key")) part.glyphTransparentColour = statement.Colour(colours);
        } else {
            statement.Fail("unexpected " + statement.Word("word"));
        }
    }
}

std::string FolderOf(const std::string& path) {
    const size_t slash = path.find_last_of('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

}  // namespace

SkinDescription ParseSkinDescription(const std::string& text, const ColourNames& colourNames) {
    SkinDescription description;
    SkinTables& tables = description.tables;
    std::set<std::string> defined;
    std::istringstream lines(text);
    std::string line;
    for (int lineNumber = 1; std::getline(lines, line); ++lineNumber) {
        if (const size_t comment = line.find('#'); comment != std::string::npos) line.erase(comment);
        std::istringstream wordStream(line);
        std::vector<std::string> words{std::istream_iterator<std::string>(wordStream), {}};
        if (words.empty()) continue;
        Statement statement(lineNumber, words);
        const std::string kind = statement.Word("statement");
        const std::string key = words.size() > 1 ? kind + " " + words[1] : kind;
        if (!defined.insert(key).second) statement.Fail(key + " is given twice");
        if (kind == "atlas") {
            description.atlasFile = statement.Word("atlas file");
            description.atlasWidth = statement.Number("atlas width");
            description.atlasHeight = statement.Number("atlas height");
        } else if (kind == "metric") {
            const int index = statement.Index(SkinMetricNames, "metric");
            tables.metrics[size_t(index)] = statement.Number("value");
        } else if (kind == "colour") {
            const int index = statement.Index(SkinColourNames, "colour");
            tables.colours[size_t(index)] = statement.Colour(colourNames);
        } else if (kind == "pair") {
            const int index = statement.Index(SkinPairNames, "pair");
            tables.pairs[size_t(index)].x = statement.Number("x");
            tables.pairs[size_t(index)].y = statement.Number("y");
        } else if (kind == "part") {
            const int index = statement.Index(SkinPartNames, "part");
            ParsePart(statement, tables.parts[size_t(index)], colourNames);
        } else {
            statement.Fail("unknown statement " + kind);
        }
        statement.End();
    }
    if (description.atlasFile.empty()) throw SkinDescriptionError("the description names no atlas");
    for (const ImagePart& part : tables.parts) {
        if (part.width == 0 && part.height == 0) continue;
        if (part.width < 0 || part.height < 0 || part.x < 0 || part.y < 0 ||
            int64_t(part.x) + part.width > description.atlasWidth || int64_t(part.y) + part.height > description.atlasHeight) {
            const std::string name(NameOfIndex(SkinPartNames, int(&part - tables.parts.data())));
            throw SkinDescriptionError("part " + name + " does not lie inside the atlas");
        }
    }
    return description;
}

AtlasPixels ReadAtlasBmp(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
    auto load32 = [&](size_t at) {
        uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = value << 8 | bytes[at + size_t(i)];
        return value;
    };
    if (bytes.size() < 54 || bytes[0] != 'B' || bytes[1] != 'M') throw SkinDescriptionError(path + ": not a BMP file");
    AtlasPixels atlas;
    const uint32_t pixelOffset = load32(10);
    atlas.width = int32_t(load32(18));
    atlas.height = int32_t(load32(22));
    const uint32_t planesAndBits = load32(26);
    if (load32(14) != BitmapInfoHeaderSize || planesAndBits != (1u | 24u << 16) || load32(30) != 0 ||
        atlas.width <= 0 || atlas.height <= 0)
        throw SkinDescriptionError(path + ": the atlas must be a 24-bit uncompressed bottom-up BMP");
    const size_t size = ((size_t(atlas.width) * 3 + 3) & ~size_t(3)) * size_t(atlas.height);
    if (pixelOffset > bytes.size() || bytes.size() - pixelOffset < size) throw SkinDescriptionError(path + ": pixels missing");
    atlas.rows.assign(bytes.begin() + pixelOffset, bytes.begin() + pixelOffset + std::ptrdiff_t(size));
    return atlas;
}

std::vector<uint8_t> PackSkinDescription(const std::string& descriptionPath, const ColourNames& colourNames) {
    std::ifstream file(descriptionPath);
    if (!file) throw SkinDescriptionError(descriptionPath + ": cannot be read");
    const std::string text{std::istreambuf_iterator<char>(file), {}};
    SkinDescription description;
    try {
        description = ParseSkinDescription(text, colourNames);
    } catch (const SkinDescriptionError& error) {
        throw SkinDescriptionError(descriptionPath + ": " + error.what());
    }
    const AtlasPixels atlas = ReadAtlasBmp(FolderOf(descriptionPath) + description.atlasFile);
    if (atlas.width != description.atlasWidth || atlas.height != description.atlasHeight)
        throw SkinDescriptionError(description.atlasFile + " is " + std::to_string(atlas.width) + " x " +
                                   std::to_string(atlas.height) + ", not the size the description gives");
    return PackSkinBody(BuildSkinBody(description.tables, atlas));
}

}  // namespace qivyun::skin
