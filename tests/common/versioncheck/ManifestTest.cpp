// The manifest rules, run in both builds: natively against the portable reader, on Windows against
// the platform's private-profile reader, so the two are held to the same answers.
#include "versioncheck/Manifest.h"

#include <gtest/gtest.h>

#include <cctype>

#include <filesystem>
#include <fstream>
#include <string>

namespace qivyun {
namespace {

namespace fs = std::filesystem;

class ManifestFile : public ::testing::Test {
protected:
    void SetUp() override {
        const auto* test = ::testing::UnitTest::GetInstance()->current_test_info();
        path = (fs::temp_directory_path() / (std::string("qivyun-manifest-") + test->name() + ".ini")).string();
    }
    void TearDown() override { fs::remove(path); }

    void Write(const std::string& text) {
        std::ofstream file(path, std::ios::binary | std::ios::trunc);
        file << text;
    }

    std::string path;
};

const std::string longAddress = "http://127.0.0.1:18081/" + std::string(250 - 23, 'a');

const std::string sample =
    "[Count]\r\n"
    "CountAsp=" + longAddress + "\r\n"
    "CountrenAsp=http://127.0.0.1:18081/QivYun/CountRen.html\r\n"
    "AcounTxt = http://127.0.0.1:18081/QivYun/Acoun.txt  \r\n"
    "\r\n"
    "[QivYunPlay]\r\n"
    "md5=0123456789ABCDEF0123456789ABCDEF\r\n"
    "url=http://127.0.0.1:18081/QivYun/QivYunPlay.exe\r\n"
    "[qvod]\r\n"
    "url=\"http://127.0.0.1:18080/qvod.html\"\r\n"
    "[Mtkan]\r\n"
    "noValue\r\n"
    "[QivYunPlay]\r\n"
    "extra=later sections of the same name are not read\r\n";

TEST_F(ManifestFile, ValuesFollowThePlatformIniRules) {
    Write(sample);
    struct Case {
        const char* section;
        const char* key;
        std::size_t size;
        std::string expected;
    } cases[] = {
        {"Count", "CountAsp", 200, longAddress.substr(0, 199)},  // 250 bytes cut to 199
        {"Count", "CountAsp", 1000, longAddress},
        {"count", "countrenasp", 200, "http://127.0.0.1:18081/QivYun/CountRen.html"},
        {"COUNT", "AcounTxt", 50, "http://127.0.0.1:18081/QivYun/Acoun.txt"},  // spaces around trimmed
        {"Count", "AcounTxt", 11, "http://127"},
        {"Count", "AcounTxt", 1, ""},
        {"Count", "AcounRenTxt", 50, ""},  // missing key
        {"QivYunPlay", "MD5", 100, "0123456789ABCDEF0123456789ABCDEF"},
        {"QivYunPlay", "url", 200, "http://127.0.0.1:18081/QivYun/QivYunPlay.exe"},
        {"QivYunPlay", "extra", 200, ""},
        {"QivYunUpdate", "md5", 100, ""},  // missing section
        {"qvod", "url", 600, "http://127.0.0.1:18080/qvod.html"},  // quotes removed
        {"Mtkan", "url", 600, ""},
        {"Mtkan", "noValue", 600, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.section) + "/" + c.key + " size " + std::to_string(c.size));
        EXPECT_EQ(ReadManifestValueAt(path, c.section, c.key, c.size), c.expected);
    }
}

TEST_F(ManifestFile, LineEndsAndMarksOfOtherEditorsReadTheSame) {
    const std::string texts[] = {
        "[QivYunPlay]\nmd5=abc\n",
        "[QivYunPlay]\r\nmd5=abc",
        "\xEF\xBB\xBF[QivYunPlay]\r\nmd5=abc\r\n",
        "  [QivYunPlay]  \r\n\tmd5\t=\tabc\t\r\n",
        "[Other]\r\nmd5=wrong\r\n[QivYunPlay]\r\nurl=x\r\nmd5=abc\r\nmd5=second\r\n",
    };
    // A file of its own per text: a platform reader may keep a file it has read in memory.
    const std::string base = path;
    int index = 0;
    for (const std::string& text : texts) {
        SCOPED_TRACE(text);
        path = base + std::to_string(++index);
        Write(text);
        EXPECT_EQ(ReadManifestValueAt(path, "QivYunPlay", "md5", 100), "abc");
        fs::remove(path);
    }
    path = base;
}

TEST(IniLookup, TellsAMissingSectionOrKeyFromAnEmptyValue) {
    const std::string text = sample + "[Blank]\r\nkey=\r\n";
    const struct {
        const char* section;
        const char* key;
        IniLookup lookup;
        std::string value;
    } cases[] = {
        {"QivYunUpdate", "md5", IniLookup::NoSection, ""},
        {"Count", "AcounRenTxt", IniLookup::NoKey, ""},
        {"QivYunPlay", "extra", IniLookup::NoKey, ""},  // only in a later section of the name
        {"blank", "KEY", IniLookup::Found, ""},
        {"Mtkan", "noValue", IniLookup::Found, ""},
        {"count", "ACOUNTXT", IniLookup::Found, "http://127.0.0.1:18081/QivYun/Acoun.txt"},
    };
    for (const auto& c : cases) {
        const IniValue found = LookUpIniValue(text, c.section, c.key, 100);
        EXPECT_EQ(found.lookup, c.lookup) << c.section << "/" << c.key;
        EXPECT_EQ(found.value, c.value) << c.section << "/" << c.key;
    }
}

TEST_F(ManifestFile, MissingFileReadsEmpty) {
    EXPECT_FALSE(fs::exists(path));
    EXPECT_EQ(ReadManifestValueAt(path, "QivYunPlay", "md5", 100), "");
    EXPECT_EQ(ReadManifestValueAt(path, "Mtkan", "url", 600), "");
}

TEST(ManifestLocalPath, IsTheIniInTheTemporaryFolder) {
    fs::path local = ManifestLocalPath();
    EXPECT_EQ(local.filename().string(), "QivYunUpdate.ini");
    // Compared as text: identity of folders is not reliable under every file system layer.
    auto folderText = [](const fs::path& folder) {
        std::string text = folder.lexically_normal().string();
        while (!text.empty() && (text.back() == '/' || text.back() == '\\')) text.pop_back();
        for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return text;
    };
    EXPECT_EQ(folderText(local.parent_path()), folderText(fs::temp_directory_path()));
}

}  // namespace
}  // namespace qivyun
