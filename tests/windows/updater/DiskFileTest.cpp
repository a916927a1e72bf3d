// The downloader's files on Windows: UTF-8 paths reach the wide functions whole, and offsets past
// 4 GiB reach the file in both widths of the program.
#include "updater/DiskFile.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <string>

namespace qivyun {
namespace {

std::string TempFolderUtf8() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::string utf8;
    for (const wchar_t* c = temp; *c; ++c) utf8 += static_cast<char>(*c);  // the prefix's folder is ASCII
    return utf8;
}

TEST(DiskFileTest, Utf8NamesAndOffsetsBeyondFourGibibytes) {
    // "下载-ë.bin" as UTF-8 bytes, and the same name as the system sees it
    const std::string folder = TempFolderUtf8();
    const std::string path = folder + "\xE4\xB8\x8B\xE8\xBD\xBD-\xC3\xAB.bin";
    const std::wstring widePath = std::wstring(folder.begin(), folder.end()) + L"\u4E0B\u8F7D-\u00EB.bin";
    const std::string moved = path + ".done";

    constexpr std::int64_t size = (5ll << 30) + 7;
    DiskFile file = DiskFile::CreateAtSize(path, size);
    ASSERT_TRUE(file.IsOpen());
    EXPECT_NE(GetFileAttributesW(widePath.c_str()), INVALID_FILE_ATTRIBUTES);
    EXPECT_EQ(file.Size(), size);
    ASSERT_TRUE(file.WriteAt(size - 4, "tail", 4));
    ASSERT_TRUE(file.WriteAt(0, "head", 4));
    char read[8] = {};
    EXPECT_EQ(file.ReadAt(size - 4, read, sizeof read), 4);
    EXPECT_EQ(std::string(read, 4), "tail");
    EXPECT_EQ(file.ReadAt(size, read, sizeof read), 0);
    EXPECT_TRUE(file.Close());

    EXPECT_TRUE(disk::ReplaceWhole(moved, "old"));
    EXPECT_TRUE(disk::Rename(path, moved)) << "replaces the file of that name";
    EXPECT_FALSE(disk::Exists(path));
    DiskFile again = DiskFile::OpenExisting(moved);
    EXPECT_EQ(again.Size(), size);
    EXPECT_EQ(again.ReadAt(0, read, 4), 4);
    EXPECT_EQ(std::string(read, 4), "head");
    again.Close();
    EXPECT_TRUE(disk::Remove(moved));
    EXPECT_TRUE(disk::Remove(moved)) << "a file that is gone counts as removed";
    EXPECT_FALSE(disk::Exists(moved));
}

}  // namespace
}  // namespace qivyun
