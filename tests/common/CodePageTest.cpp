// Runs in both builds: iconv natively, the platform's code page 936 on Windows.
#include "common/CodePage.h"

#include <gtest/gtest.h>

namespace qivyun {
namespace {

TEST(CodePage, LiteralsAndConversionsAgreeOnGbkBytes) {
    // The compiler turns literals into GBK; the conversion must produce the same bytes.
    EXPECT_EQ(std::string("大小:"), "\xB4\xF3\xD0\xA1\x3A");
    EXPECT_EQ(GbkFromUtf8(reinterpret_cast<const char*>(u8"大小:")), "\xB4\xF3\xD0\xA1\x3A");
    EXPECT_EQ(Utf8FromGbk("\xB4\xF3\xD0\xA1\x3A"), reinterpret_cast<const char*>(u8"大小:"));
    EXPECT_EQ(GbkFromUtf8(""), "");
    EXPECT_EQ(Utf8FromGbk("plain ascii"), "plain ascii");
}

TEST(CodePage, WhatCannotBeHeldBecomesQuestionMark) {
    // An emoji has no GBK form; a lone lead byte at the end is not GBK.
    EXPECT_EQ(GbkFromUtf8(reinterpret_cast<const char*>(u8"a\xF0\x9F\x98\x80" "b")), "a?b");
    EXPECT_EQ(GbkFromUtf8("a\xFF" "b"), "a?b");
    EXPECT_EQ(Utf8FromGbk("ab\xB4"), "ab?");
}

#ifdef _WIN32
TEST(CodePage, WideTextIsGbkByCodePage936WhateverTheSystemCodePage) {
    EXPECT_EQ(WideFromGbk("\xB4\xF3\xD0\xA1\x3A"), L"\u5927\u5C0F:");
    bool lossless = false;
    EXPECT_EQ(GbkFromWide(L"\u5927\u5C0F:", &lossless), "\xB4\xF3\xD0\xA1\x3A");
    EXPECT_TRUE(lossless);
    // Hangul, and a character beyond the basic plane (one "?" for its pair of surrogates).
    EXPECT_EQ(GbkFromWide(L"a\uD55Cb", &lossless), "a?b");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(GbkFromWide(L"a\xD83D\xDE00" L"b", &lossless), "a?b");
    EXPECT_FALSE(lossless);
    // No best fit: "À" is not GBK's "à", nor "²" a "2".
    EXPECT_EQ(GbkFromWide(L"\u00C0\u00B2", &lossless), "??");
    EXPECT_FALSE(lossless);
    EXPECT_EQ(Utf8FromWide(L"Zo\u00EB"), "Zo\xC3\xAB");
    EXPECT_EQ(WideFromUtf8("Zo\xC3\xAB\xE1\x84\x80"), L"Zo\u00EB\u1100");
}
#endif

}  // namespace
}  // namespace qivyun
