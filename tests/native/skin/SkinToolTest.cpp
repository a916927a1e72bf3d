// Black-box checks of qivyun skin pack, info and render, and of the skin kept in the repository:
// its blob and its atlas must be what the packer and the generator make of its description today.
#include "skin/container/SkinDescription.h"

#include <gtest/gtest.h>
#include <png.h>
#include <sys/wait.h>

#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

namespace qivyun::skin {
namespace {

const std::string skinFolder = std::string(QIVYUN_SOURCE_DIR) + "/resources/skin/";

struct ToolRun {
    int exitCode;
    std::string out;
};

ToolRun Execute(const std::string& commandLine) {
    ToolRun run{-1, {}};
    FILE* pipe = popen((commandLine + " 2>&1").c_str(), "r");
    if (!pipe) return run;
    char buffer[4096];
    for (size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) run.out.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

ToolRun Tool(const std::string& arguments) { return Execute(std::string(QIVYUN_TOOL) + " " + arguments); }

std::string FileBytes(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return std::string{std::istreambuf_iterator<char>(file), {}};
}

TEST(SkinToolTest, InfoOnOurSkinShowsTheTablesAndTheAtlasWhereTheyBelong) {
    const ToolRun run = Tool("skin info " + skinFolder + "QivYun.zor");
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.out,
              "result 0\n"
              "body 632484 bytes\n"
              "counts 25 64 15 1 302 13\n"
              "tables 320 420 676 796 812 22556\n"
              "atlas header 23544\n"
              "atlas 378 x 536\n");

    const std::string broken = ::testing::TempDir() + "/broken.zor";
    std::ofstream(broken, std::ios::binary) << FileBytes(skinFolder + "QivYun.zor").substr(0, 100);
    const ToolRun cut = Tool("skin info " + broken);
    EXPECT_EQ(cut.exitCode, 1);
    // the result on stdout, its meaning on stderr
    EXPECT_EQ(cut.out, "result 5\nqivyun skin info: " + broken +
                           ": result 5: not a skin: no skin header, a body of size 0 or a body that does not decode\n");

    // the names render takes, with their indices
    const ToolRun parts = Tool("skin parts");
    EXPECT_EQ(parts.exitCode, 0);
    EXPECT_EQ(parts.out.rfind("0\tTitleBarActive\t", 0), 0u) << parts.out;
    EXPECT_NE(parts.out.find("\n74\tPushButtonHeld\t"), std::string::npos);
}

TEST(SkinToolTest, TheKeptAtlasAndBlobAreWhatTheGeneratorAndThePackerMakeOfTheDescription) {
    const std::string atlas = ::testing::TempDir() + "/QivYunSkin.bmp";
    const std::string blob = ::testing::TempDir() + "/QivYun.zor";
    ASSERT_EQ(Execute(std::string(QIVYUN_ATLAS_GENERATOR) + " " + skinFolder + "QivYun.skin " + atlas).exitCode, 0);
    EXPECT_TRUE(FileBytes(atlas) == FileBytes(skinFolder + "QivYunSkin.bmp"))
        << "redraw it: make-skin-atlas resources/skin/QivYun.skin resources/skin/QivYunSkin.bmp";
    ASSERT_EQ(Tool("skin pack " + skinFolder + "QivYun.skin " + blob).exitCode, 0);
    EXPECT_TRUE(FileBytes(blob) == FileBytes(skinFolder + "QivYun.zor"))
        << "repack it: qivyun skin pack resources/skin/QivYun.skin resources/skin/QivYun.zor";
}

// Reads a PNG as rows of red, green and blue.
std::vector<std::vector<uint8_t>> ReadPng(const std::string& path, png_uint_32& width, png_uint_32& height) {
    std::vector<std::vector<uint8_t>> rows;
    std::unique_ptr<FILE, int (*)(FILE*)> file(std::fopen(path.c_str(), "rb"), std::fclose);
    if (!file) return rows;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return {};
    }
    png_init_io(png, file.get());
    png_read_info(png, info);
    width = png_get_image_width(png, info);
    height = png_get_image_height(png, info);
    if (png_get_color_type(png, info) == PNG_COLOR_TYPE_RGB && png_get_bit_depth(png, info) == 8) {
        rows.assign(height, std::vector<uint8_t>(width * 3));
        for (auto& row : rows) png_read_row(png, row.data(), nullptr);
    }
    png_destroy_read_struct(&png, &info, nullptr);
    return rows;
}

TEST(SkinToolTest, RenderDrawsOnePartAtItsSizeOverTheBackground) {
    const std::string picture = ::testing::TempDir() + "/button.png";
    ASSERT_EQ(Tool("skin render " + skinFolder + "QivYun.zor PushButtonHeld 90 26 " + picture).exitCode, 0);
    png_uint_32 width = 0, height = 0;
    const auto rows = ReadPng(picture, width, height);
    ASSERT_EQ(width, 90u);
    ASSERT_EQ(height, 26u);
    ASSERT_EQ(rows.size(), 26u);
    auto at = [&](int x, int y) { return ColourRef(rows[y][x * 3], rows[y][x * 3 + 1], rows[y][x * 3 + 2]); };
    // The keyed corner shows the window background (the palette's panel colour), the border the
    // held look's blue, and nothing anywhere is the key colour.
    EXPECT_EQ(at(0, 0), ColourRef(234, 241, 250));
    EXPECT_EQ(at(45, 0), ColourRef(58, 110, 196));
    EXPECT_EQ(at(0, 13), ColourRef(58, 110, 196));
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 90; ++x) ASSERT_NE(at(x, y), Magenta) << x << "," << y;
    // The part by its index gives the same picture.
    const std::string byIndex = ::testing::TempDir() + "/button74.png";
    ASSERT_EQ(Tool("skin render " + skinFolder + "QivYun.zor 74 90 26 " + byIndex).exitCode, 0);
    EXPECT_TRUE(FileBytes(byIndex) == FileBytes(picture));

    for (const char* bad : {"NoSuchPart 10 10", "302 10 10", "71 0 10", "71 10 5000", "71 ten 10"})
        EXPECT_EQ(Tool("skin render " + skinFolder + "QivYun.zor " + bad + " " + picture).exitCode, 2) << bad;
}

TEST(SkinToolTest, DescriptionFaultsNameTheirLine) {
    const ColourNames colours = {{"Ink", ColourRef(34, 46, 68)}};
    const std::pair<const char*, const char*> cases[] = {
        {"metric TitleBarHeight 30\n", "names no atlas"},
        {"atlas a.bmp 10 10\n\nmetric NoSuchMetric 3\n", "line 3: no metric is named NoSuchMetric"},
        {"atlas a.bmp 10 10\ncolour PushButtonText Mauve\n", "line 2: unknown colour Mauve"},
        {"atlas a.bmp 10 10\ncolour PushButtonText 1 2 300\n", "line 2: a colour component lies outside 0-255"},
        {"atlas a.bmp 10 10\npart PushButtonNormal 0 0 4 4 fill 012\n", "line 2: a fill mode is five digits"},
        {"atlas a.bmp 10 10\npart PushButtonNormal 0 0 4 4 margin 1 1 1 1\n", "line 2: unexpected margin"},
        {"atlas a.bmp 10 10\npart PushButtonNormal 8 8 4 4\n", "part PushButtonNormal does not lie inside the atlas"},
        {"atlas a.bmp 10 10\npair TitleIconPosition 1 2\npair TitleIconPosition 1 2\n", "line 3: pair TitleIconPosition is given twice"},
        {"atlas a.bmp 10 10\nmetric TitleBarHeight 3O\n", "line 2: value is not a number: 3O"},
        {"atlas a.bmp 10 10\nwidget X 1\n", "line 2: unknown statement widget"},
    };
    for (const auto& [text, message] : cases) {
        try {
            ParseSkinDescription(text, colours);
            ADD_FAILURE() << "accepted: " << text;
        } catch (const SkinDescriptionError& error) {
            EXPECT_NE(std::string(error.what()).find(message), std::string::npos) << error.what();
        }
    }
    const SkinDescription good = ParseSkinDescription(
        "atlas a.bmp 10 10  # comment\ncolour PushButtonText Ink\npart PushButtonNormal 1 2 3 4 margins 1 1 1 0 "
        "fill 01010 key 255 0 255\npair PushButtonPressedShift -1 1\n",
        colours);
    EXPECT_EQ(good.tables.colours[5], ColourRef(34, 46, 68));
    const ImagePart& part = good.tables.parts[71];
    EXPECT_EQ((std::vector<int>{part.x, part.y, part.width, part.height, part.bottom, part.fillMode}),
              (std::vector<int>{1, 2, 3, 4, 0, 1010}));
    EXPECT_EQ(part.transparentColour, Magenta);
    EXPECT_EQ(good.tables.pairs[14].x, -1);
}

}  // namespace
}  // namespace qivyun::skin
