// The reader of skin blobs: header checks and result codes, the LZMA body, the tables under their
// capacities, the atlas against the body's end.
#include "SkinTestData.h"
#include "skin/container/SkinContainer.h"

#include <gtest/gtest.h>

#include <functional>

namespace qivyun::skin {
namespace {

using test::CoordinateAtlas;
using test::NumberedTables;

bool SameTables(const SkinTables& a, const SkinTables& b) { return std::memcmp(&a, &b, sizeof a) == 0; }

std::vector<uint8_t> SmallSkin() { return PackSkinBody(BuildSkinBody(NumberedTables(), CoordinateAtlas(5, 3))); }

TEST(SkinContainerTest, HeaderAndStreamFaultsGiveTheirCodesAndLeaveThePreviousSkin) {
    const std::vector<uint8_t> good = SmallSkin();
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> change;
        SkinResult expected;
    };
    const Case cases[] = {
        {"as written", [](auto&) {}, SkinResult::Loaded},
        {"no version flag, version byte 7", [](auto& b) { b[4] = 0, b[5] = 7; }, SkinResult::Loaded},
        {"no version flag, version byte 0", [](auto& b) { b[4] = 0, b[5] = 0; }, SkinResult::Loaded},
        {"version flag with version 2", [](auto& b) { b[5] = 2; }, SkinResult::BadVersion},
        {"version flag 0xFF with version 4", [](auto& b) { b[4] = 0xFF, b[5] = 4; }, SkinResult::BadVersion},
        {"bad magic", [](auto& b) { b[0] = 'Z'; }, SkinResult::BadStream},
        {"body size 0", [](auto& b) { std::fill(b.begin() + 6, b.begin() + 10, 0); }, SkinResult::BadStream},
        {"header only", [](auto& b) { b.resize(15); }, SkinResult::BadStream},
        {"shorter than a header", [](auto& b) { b.resize(9); }, SkinResult::BadStream},
        {"stream cut in half", [](auto& b) { b.resize(15 + (b.size() - 15) / 2); }, SkinResult::BadStream},
        {"body size 64 KiB beyond what the stream holds", [](auto& b) { ++b[8]; }, SkinResult::BadStream},
        {"properties that LZMA does not have", [](auto& b) { b[10] = 225; }, SkinResult::BadStream},
        {"corrupt stream", [](auto& b) { b[40] ^= 0xFF, b[41] ^= 0x5A; }, SkinResult::BadStream},
    };
    for (const Case& c : cases) {
        SkinContainer skin;
        ASSERT_EQ(skin.Read(good.data(), good.size()), SkinResult::Loaded);
        const SkinTables before = skin.Tables();
        const uint8_t* atlasBefore = skin.Atlas().pixels;
        std::vector<uint8_t> blob = good;
        c.change(blob);
        EXPECT_EQ(skin.Read(blob.data(), blob.size()), c.expected) << c.what;
        if (c.expected != SkinResult::Loaded) {
            EXPECT_TRUE(SameTables(skin.Tables(), before)) << c.what;
            EXPECT_EQ(skin.Atlas().pixels, atlasBefore) << c.what;
        }
    }
    SkinContainer skin;
    EXPECT_EQ(skin.Read(nullptr, 10), SkinResult::NoBytes);
    EXPECT_EQ(skin.Read(good.data(), 0), SkinResult::NoBytes);
}

TEST(SkinContainerTest, BodyIsDecodedToItsSizeWithOrWithoutAnEndMarker) {
    const std::vector<uint8_t> body = BuildSkinBody(NumberedTables(), CoordinateAtlas(5, 3));
    for (bool endMarker : {false, true}) {
        const std::vector<uint8_t> blob = PackSkinBody(body, endMarker);
        SkinContainer skin;
        ASSERT_EQ(skin.Read(blob.data(), blob.size()), SkinResult::Loaded) << endMarker;
        EXPECT_EQ(skin.Layout().bodySize, body.size());
        EXPECT_TRUE(SameTables(skin.Tables(), NumberedTables()));
        EXPECT_EQ(skin.Atlas().Pixel(4, 2), ColourRef(4, 2, 7));
        EXPECT_EQ(skin.Atlas().Pixel(0, 0), ColourRef(0, 0, 7));
    }
    // A stream that holds more than the header's body size is read up to that size: here the atlas
    // then lacks its last row.
    std::vector<uint8_t> blob = PackSkinBody(body);
    const uint32_t shorter = uint32_t(body.size() - 1);
    std::memcpy(blob.data() + 6, &shorter, 4);
    SkinContainer skin;
    EXPECT_EQ(skin.Read(blob.data(), blob.size()), SkinResult::AtlasUnusable);
    EXPECT_EQ(skin.Layout().bodySize, body.size() - 1);
}

TEST(SkinContainerTest, StoredCountsBeyondTheCapacitiesKeepTheFirstEntriesAndStillFindTheNextTable) {
    const std::vector<uint8_t> body = BuildSkinBody(NumberedTables(), CoordinateAtlas(5, 3));
    for (size_t t = 0; t < TableCount; ++t) {
        const std::vector<uint8_t> grown = test::WithExtraEntries(body, t, 3);
        const std::vector<uint8_t> blob = PackSkinBody(grown);
        SkinContainer skin;
        ASSERT_EQ(skin.Read(blob.data(), blob.size()), SkinResult::Loaded) << "table " << t;
        EXPECT_TRUE(SameTables(skin.Tables(), NumberedTables())) << "table " << t;
        EXPECT_EQ(skin.Layout().storedCounts[t], TableCapacity[t] + 3);
        EXPECT_EQ(skin.Layout().atlasHeaderOffset, 23544 + 3 * TableEntrySize[t]);
        EXPECT_EQ(skin.Atlas().Pixel(3, 1), ColourRef(3, 1, 7));
    }
    // A stored count below the capacity: the rest of that table stays zero and the next table
    // follows the stored entries.
    std::vector<uint8_t> fewer = body;
    fewer.erase(fewer.begin() + 320 + 20 * 4, fewer.begin() + 320 + 25 * 4);
    test::SetStoredCount(fewer, 0, 20);
    const std::vector<uint8_t> blob = PackSkinBody(fewer);
    SkinContainer skin;
    ASSERT_EQ(skin.Read(blob.data(), blob.size()), SkinResult::Loaded);
    EXPECT_EQ(skin.Tables().metrics[19], 119);
    EXPECT_EQ(skin.Tables().metrics[20], 0);
    EXPECT_EQ(skin.Tables().colours[0], 0x010000u);
    EXPECT_EQ(skin.Layout().tableOffsets[1], 400u);
}

TEST(SkinContainerTest, AnAtlasThatDoesNotFitTheBodyIsRefusedAndEmptiesTheTables) {
    const std::vector<uint8_t> body = BuildSkinBody(NumberedTables(), CoordinateAtlas(5, 3));
    const size_t header = 23544;
    struct Case {
        const char* what;
        std::function<void(std::vector<uint8_t>&)> change;
    };
    const Case cases[] = {
        {"one row more than the pixels", [](auto& b) { b[header + 8] = 4; }},
        {"a width that overflows the row size", [](auto& b) { std::memset(&b[header + 4], 0x7F, 3); }},
        {"32 bits per pixel", [](auto& b) { b[header + 14] = 32; }},
        {"top-down rows", [](auto& b) { std::memset(&b[header + 8], 0xFF, 4); }},
        {"compressed", [](auto& b) { b[header + 16] = 1; }},
        {"no atlas header at all", [](auto& b) { b.resize(header + 43); }},
        {"a font table that runs past the end", [](auto& b) { test::SetStoredCount(b, 5, 0xFFFFFFFF); }},
        {"a body that ends inside the tables", [](auto& b) { b.resize(700); }},
    };
    for (const Case& c : cases) {
        std::vector<uint8_t> changed = body;
        c.change(changed);
        const std::vector<uint8_t> blob = PackSkinBody(changed);
        SkinContainer skin;
        const std::vector<uint8_t> good = SmallSkin();
        ASSERT_EQ(skin.Read(good.data(), good.size()), SkinResult::Loaded);
        EXPECT_EQ(skin.Read(blob.data(), blob.size()), SkinResult::AtlasUnusable) << c.what;
        EXPECT_TRUE(SameTables(skin.Tables(), SkinTables{})) << c.what;
        EXPECT_EQ(skin.Tables().counts, TableCapacity);
        EXPECT_TRUE(skin.Atlas().Empty()) << c.what;
    }
}

}  // namespace
}  // namespace qivyun::skin
