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

}  // namespace
}  // namespace qivyun
