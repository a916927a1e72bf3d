// The loaded skin on Windows: our skin from its file and from both programs' resources, the
// background brush and the fonts, what failed reads keep, and file sharing in a folder of any name.
#include "common/CodePage.h"
#include "skin/container/SkinData.h"
#include "skin/container/SkinWriter.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qivyun::skin {
namespace {

const std::string ourSkinFile = QIVYUN_SKIN_FILE;

std::vector<uint8_t> OurSkinBytes() {
    std::ifstream file(ourSkinFile, std::ios::binary);
    return std::vector<uint8_t>{std::istreambuf_iterator<char>(file), {}};
}

// The bytes of a custom resource of a program, loaded as data.
std::vector<uint8_t> ResourceOf(const std::string& program, int id) {
    const HMODULE module = LoadLibraryExA(program.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE);
    if (!module) return {};
    std::vector<uint8_t> bytes;
    if (HRSRC found = FindResourceA(module, MAKEINTRESOURCEA(id), "ZOR")) {
        const auto* data = static_cast<const uint8_t*>(LockResource(LoadResource(module, found)));
        bytes.assign(data, data + SizeofResource(module, found));
    }
    FreeLibrary(module);
    return bytes;
}

LOGFONTA FontOf(HFONT font) {
    LOGFONTA logFont{};
    GetObjectA(font, sizeof logFont, &logFont);
    return logFont;
}

TEST(SkinDataTest, BothProgramsCarryOurSkinAndItLoadsWithASolidBackgroundAndTheSystemFonts) {
    const std::vector<uint8_t> ours = OurSkinBytes();
    ASSERT_FALSE(ours.empty());
    EXPECT_TRUE(ResourceOf(QIVYUN_PROGRAMS_FOLDER "\\QivYunPlay.exe", 146) == ours);
    EXPECT_TRUE(ResourceOf(QIVYUN_PROGRAMS_FOLDER "\\QivYunUpdate.exe", 130) == ours);

    SkinData skin;
    EXPECT_FALSE(skin.Loaded());
    ASSERT_EQ(skin.ReadSkin(ours.data(), ours.size()), SkinResult::Loaded);
    EXPECT_TRUE(skin.Loaded());
    EXPECT_EQ(skin.AtlasWidth(), 378);
    EXPECT_EQ(skin.AtlasHeight(), 536);
    EXPECT_EQ(skin.Part(SkinPart::PushButtonNormal).transparentColour, RGB(255, 0, 255));
    EXPECT_EQ(skin.Pair(SkinPair::PushButtonPressedShift).x, 1);
    EXPECT_EQ(skin.Pair(SkinPair::PushButtonPressedShift).y, 1);
    // The device-compatible copy holds the atlas: a pixel of the window background part.
    {
        HDC screen = GetDC(nullptr);
        HDC dc = CreateCompatibleDC(screen);
        const HGDIOBJ previous = SelectObject(dc, skin.CompatibleAtlas());
        const ImagePart& background = skin.Part(SkinPart::WindowBackground);
        EXPECT_EQ(GetPixel(dc, background.x + 3, background.y + 3), RGB(234, 241, 250));
        SelectObject(dc, previous);
        DeleteDC(dc);
        ReleaseDC(nullptr, screen);
    }

    // Part 271 is one colour: a solid brush of the palette's panel colour.
    LOGBRUSH brush{};
    ASSERT_TRUE(GetObjectA(skin.BackgroundBrush(), sizeof brush, &brush));
    EXPECT_EQ(brush.lbStyle, UINT(BS_SOLID));
    EXPECT_EQ(brush.lbColor, RGB(234, 241, 250));
    EXPECT_EQ(skin.BackgroundColour(), RGB(234, 241, 250));

    // Our font table is empty: slots 0-3 and 9 come from the system, the others stay empty.
    for (SkinFontSlot slot : {SkinFontSlot::CaptionFont, SkinFontSlot::CaptionFontAlternate, SkinFontSlot::MenuFont,
                              SkinFontSlot::MenuFontAlternate, SkinFontSlot::StatusFont}) {
        ASSERT_NE(skin.Font(slot, false), nullptr) << Index(slot);
        EXPECT_EQ(FontOf(skin.Font(slot, false)).lfWeight, 400);
        EXPECT_EQ(FontOf(skin.Font(slot, true)).lfWeight, 700);
    }
    EXPECT_STREQ(FontOf(skin.Font(SkinFontSlot::CaptionFontAlternate, false)).lfFaceName,
                 FontOf(skin.Font(SkinFontSlot::CaptionFont, false)).lfFaceName);
    EXPECT_EQ(skin.Font(SkinFontSlot::PushButtonFont, false), nullptr);
    EXPECT_EQ(skin.Font(SkinFontSlot::HeaderFont, true), nullptr);
    EXPECT_NE(skin.DefaultFont(false), nullptr);
}

TEST(SkinDataTest, FailedReadsKeepThePreviousAtlasAndABackgroundOfManyColoursIsAPattern) {
    SkinTables tables;
    tables.parts[271] = ImagePart{0, 0, 2, 2, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, {}};
    tables.parts[71].width = 2;
    AtlasPixels atlas{2, 2, {10, 20, 30, 40, 50, 60, 0, 0, 10, 20, 30, 10, 20, 30, 0, 0}};
    std::vector<uint8_t> body = BuildSkinBody(tables, atlas);
    const std::vector<uint8_t> patterned = PackSkinBody(body);

    SkinData skin;
    ASSERT_EQ(skin.ReadSkin(patterned.data(), patterned.size()), SkinResult::Loaded);
    LOGBRUSH brush{};
    ASSERT_TRUE(GetObjectA(skin.BackgroundBrush(), sizeof brush, &brush));
    EXPECT_EQ(brush.lbStyle, UINT(BS_PATTERN));
    EXPECT_EQ(skin.BackgroundColour(), RGB(30, 20, 10));  // the first pixel: top-left

    std::vector<uint8_t> badMagic = patterned;
    badMagic[1] = 'X';
    EXPECT_EQ(skin.ReadSkin(badMagic.data(), badMagic.size()), SkinResult::BadStream);
    EXPECT_EQ(skin.ReadSkin(nullptr, 0), SkinResult::NoBytes);
    EXPECT_EQ(skin.Tables().parts[71].width, 2);

    body[23544 + 8] = 3;  // a third row the body does not hold
    const std::vector<uint8_t> tooTall = PackSkinBody(body);
    EXPECT_EQ(skin.ReadSkin(tooTall.data(), tooTall.size()), SkinResult::AtlasUnusable);
    EXPECT_EQ(skin.Tables().parts[71].width, 0);
    EXPECT_EQ(skin.Tables().counts, TableCapacity);
    EXPECT_TRUE(skin.Loaded());
    EXPECT_EQ(GetPixel(skin.AtlasDc(), 0, 0), RGB(30, 20, 10));
}

TEST(SkinDataTest, ASkinFileIsReadFromAnyFolderWhileOthersReadItAndUnreadableFilesGiveTwo) {
    // A folder whose name neither GBK nor a Western code page can hold.
    wchar_t temporary[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temporary);
    const std::wstring folder = std::wstring(temporary) + L"QivYun Zoë 한글\\";
    CreateDirectoryW(folder.c_str(), nullptr);
    const std::wstring copy = folder + L"QivYun.zor";
    ASSERT_TRUE(CopyFileW(WideFromUtf8(ourSkinFile).c_str(), copy.c_str(), FALSE));

    SkinData skin;
    const HANDLE reader = CreateFileW(copy.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(reader, INVALID_HANDLE_VALUE);
    EXPECT_EQ(skin.ReadSkinFile(copy.c_str()), SkinResult::Loaded);
    CloseHandle(reader);

    const std::wstring empty = folder + L"qivyun-empty.zor";
    CloseHandle(CreateFileW(empty.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
    EXPECT_EQ(skin.ReadSkinFile(empty.c_str()), SkinResult::FileUnreadable);
    EXPECT_EQ(skin.ReadSkinFile((folder + L"qivyun-missing.zor").c_str()), SkinResult::FileUnreadable);
    // A writer that shares nothing keeps the file from us.
    const HANDLE writer = CreateFileW(empty.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD written = 0;
    WriteFile(writer, "x", 1, &written, nullptr);
    EXPECT_EQ(skin.ReadSkinFile(empty.c_str()), SkinResult::FileUnreadable);
    CloseHandle(writer);
    DeleteFileW(empty.c_str());
    DeleteFileW(copy.c_str());
    RemoveDirectoryW(folder.c_str());
    EXPECT_EQ(skin.Tables().parts[71].width, 24);  // still our skin
}

}  // namespace
}  // namespace qivyun::skin
