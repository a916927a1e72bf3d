// How the digest opens files on Windows: readers may share the file, a writer that shares no
// reading keeps it closed, and the running executable itself can be digested.
#include "versioncheck/Md5.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace qivyun {
namespace {

namespace fs = std::filesystem;

class HeldFile : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path = (fs::temp_directory_path() / (std::string("qivyun-held-") + test->name() + ".bin")).string();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << "abc";
    }
    void TearDown() override {
        if (holder != INVALID_HANDLE_VALUE) CloseHandle(holder);
        DeleteFileA(path.c_str());
    }

    std::string path;
    HANDLE holder = INVALID_HANDLE_VALUE;
};

TEST_F(HeldFile, OtherOpenersDecideWhetherTheDigestCanBeRead) {
    struct Case {
        const char* holderKind;
        DWORD access;
        DWORD share;
        std::string expected;
    } cases[] = {
        {"writer sharing nothing", GENERIC_WRITE, 0, ""},
        {"writer sharing reading", GENERIC_WRITE, FILE_SHARE_READ, ""},  // no half-written digest
        {"reader sharing reading", GENERIC_READ, FILE_SHARE_READ, "900150983cd24fb0d6963f7d28e17f72"},
        {"reader sharing all", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, "900150983cd24fb0d6963f7d28e17f72"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.holderKind);
        holder = CreateFileA(path.c_str(), c.access, c.share, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
        ASSERT_NE(holder, INVALID_HANDLE_VALUE);
        EXPECT_EQ(ComputeFileMd5(path), c.expected);
        CloseHandle(holder);
        holder = INVALID_HANDLE_VALUE;
        EXPECT_EQ(ComputeFileMd5(path), "900150983cd24fb0d6963f7d28e17f72");  // free again once closed
    }
}

TEST(RunningExecutable, HasADigestWhileItRuns) {
    char own[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameA(nullptr, own, sizeof own), 0u);
    std::string digest = ComputeFileMd5(own);
    ASSERT_EQ(digest.size(), 32u);
    std::ifstream file(own, std::ios::binary);
    std::string content((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    Md5Context context;
    Md5Init(context);
    Md5Update(context, content.data(), content.size());
    Md5Digest expected{};
    ASSERT_TRUE(Md5Final(context, expected));
    EXPECT_EQ(digest, Md5Text(expected));
}

}  // namespace
}  // namespace qivyun
