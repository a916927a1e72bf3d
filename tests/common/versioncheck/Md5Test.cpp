// The digest of byte ranges and of files, run in both builds (libcrypto natively, the platform's
// hash provider on Windows).
#include "versioncheck/Md5.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace qivyun {
namespace {

namespace fs = std::filesystem;

std::string DigestOf(const std::string& message) {
    Md5Context context;
    Md5Init(context);
    Md5Update(context, message.data(), message.size());
    Md5Digest digest{};
    EXPECT_TRUE(Md5Final(context, digest));
    return Md5Text(digest);
}

struct Rfc1321Case {
    std::string message;
    std::string digest;
};

const Rfc1321Case rfc1321Suite[] = {
    {"", "d41d8cd98f00b204e9800998ecf8427e"},
    {"a", "0cc175b9c0f1b6a831c399e269772661"},
    {"abc", "900150983cd24fb0d6963f7d28e17f72"},
    {"message digest", "f96b697d7cb7938d525a2f31aaf161d0"},
    {"abcdefghijklmnopqrstuvwxyz", "c3fcd3d76192e4007dfb496cca67e13b"},
    {"ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789", "d174ab98d277d9f5a5611c2c9f419d9f"},
    {"12345678901234567890123456789012345678901234567890123456789012345678901234567890",
     "57edf4a22be3c955ac49da2e2107b67a"},
};

TEST(Md5, Rfc1321SuiteInOnePieceAndByteByByte) {
    for (const auto& c : rfc1321Suite) {
        SCOPED_TRACE(c.message);
        EXPECT_EQ(DigestOf(c.message), c.digest);

        Md5Context context;
        Md5Init(context);
        for (char byte : c.message) Md5Update(context, &byte, 1);
        Md5Digest digest{};
        ASSERT_TRUE(Md5Final(context, digest));
        EXPECT_EQ(Md5Text(digest), c.digest);
    }
}

TEST(Md5, ContextCanBeReusedAfterFinal) {
    Md5Context context;
    Md5Init(context);
    Md5Update(context, "junk", 4);
    Md5Digest digest{};
    ASSERT_TRUE(Md5Final(context, digest));
    Md5Init(context);
    Md5Update(context, "abc", 3);
    ASSERT_TRUE(Md5Final(context, digest));
    EXPECT_EQ(Md5Text(digest), "900150983cd24fb0d6963f7d28e17f72");
}

TEST(Md5, FinalWithoutInitReportsFailure) {
    Md5Context context;
    Md5Digest digest;
    digest.fill(0xAA);
    EXPECT_FALSE(Md5Final(context, digest));
    EXPECT_EQ(Md5Text(digest), std::string(32, '0'));
}

TEST(Md5, ReadsAreAtMost1024BytesAndStopAtTheFirstEmptyOne) {
    struct Case {
        std::size_t size;
        std::size_t reads;
    } cases[] = {{0, 1}, {1, 2}, {1024, 2}, {1025, 3}, {2500, 4}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.size);
        const std::string content(c.size, 'q');
        std::vector<std::size_t> asked;
        std::size_t offset = 0;
        std::string text = Md5TextOfReads([&](char* buffer, std::size_t size) -> long {
            asked.push_back(size);
            std::size_t n = std::min(size, content.size() - offset);
            content.copy(buffer, n, offset);
            offset += n;
            return static_cast<long>(n);
        });
        EXPECT_EQ(asked, std::vector<std::size_t>(c.reads, 1024));
        EXPECT_EQ(text, DigestOf(content));
    }
}

TEST(Md5, ReadErrorYieldsNoDigest) {
    int calls = 0;
    std::string text = Md5TextOfReads([&](char* buffer, std::size_t) -> long {
        if (++calls == 1) {
            buffer[0] = 'x';
            return 1;
        }
        return -1;
    });
    EXPECT_EQ(text, "");
}

// SHA-256 through the same provider: the known answers of FIPS 180-2, in memory and from files.
TEST(Sha256, KnownAnswersOfBytesAndFiles) {
    const struct {
        std::string message;
        std::string digest;
    } cases[] = {
        {"", "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"},
        {"abc", "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad"},
        {"abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq",
         "248d6a61d20638b8e5c026930c3e6039a33ce45964ff2167f6ecedd419db06c1"},
        {std::string(1000000, 'a'), "cdc76e5c9914fb9281a1c7e284d73e67f1809a48a497200e046d39ccc7112cd0"},
    };
    const fs::path path = fs::temp_directory_path() / "qivyun-sha256.bin";
    for (const auto& c : cases) {
        Sha256Digest digest{};
        ASSERT_TRUE(ComputeSha256(c.message, digest));
        EXPECT_EQ(HexText(digest.data(), digest.size()), c.digest) << c.message.size();
        std::ofstream(path, std::ios::binary | std::ios::trunc) << c.message;
        EXPECT_EQ(ComputeFileSha256(path.string()), c.digest) << c.message.size();
    }
    fs::remove(path);
    EXPECT_EQ(ComputeFileSha256(path.string()), "");
}

class Md5File : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path = (fs::temp_directory_path() / (std::string("qivyun-md5-") + test->name() + ".bin")).string();
    }
    void TearDown() override { fs::remove(path); }

    void Write(const std::string& content) {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << content;
    }

    std::string path;
};

TEST_F(Md5File, DigestOfWholeFilesAsLowerCaseText) {
    std::string kilobyte;
    for (int i = 0; i < 1024; ++i) kilobyte += static_cast<char>(i * 7 + 3);
    const std::string contents[] = {"", "abc", kilobyte, kilobyte + "x", kilobyte + kilobyte, std::string(5000, '\0')};
    for (const std::string& content : contents) {
        SCOPED_TRACE(content.size());
        Write(content);
        std::string text = ComputeFileMd5(path);
        EXPECT_EQ(text, DigestOf(content));
        EXPECT_EQ(text.find_first_not_of("0123456789abcdef"), std::string::npos);
    }
    Write("");
    EXPECT_EQ(ComputeFileMd5(path), "d41d8cd98f00b204e9800998ecf8427e");
}

TEST_F(Md5File, WhatCannotBeOpenedYieldsEmptyText) {
    EXPECT_EQ(ComputeFileMd5(path), "");  // never written
    EXPECT_EQ(ComputeFileMd5(""), "");
    EXPECT_EQ(ComputeFileMd5(fs::temp_directory_path().string()), "");  // a folder
}

TEST(DigestComparison, IgnoresCaseAndTreatsEmptyManifestAsCurrent) {
    const std::string digest = "900150983cd24fb0d6963f7d28e17f72";
    struct Case {
        std::string manifest;
        std::string file;
        bool same;
        bool update;
    } cases[] = {
        {digest, digest, true, false},
        {"900150983CD24FB0D6963F7D28E17F72", digest, true, false},  // upper case matches
        {"900150983cd24fb0d6963f7d28e17f73", digest, false, true},
        {digest + " ", digest, false, true},
        {digest, "", false, true},  // missing local file
        {"", digest, false, false},  // nothing to update
        {"", "", true, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE("manifest '" + c.manifest + "' file '" + c.file + "'");
        EXPECT_EQ(SameDigest(c.manifest, c.file), c.same);
        EXPECT_EQ(ManifestNamesOtherDigest(c.manifest, c.file), c.update);
    }
    EXPECT_EQ(UpperCaseDigest(digest), "900150983CD24FB0D6963F7D28E17F72");
}

}  // namespace
}  // namespace qivyun
