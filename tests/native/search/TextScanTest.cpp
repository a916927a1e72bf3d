#include "search/PageText.h"
#include "search/PercentEncode.h"
#include "search/TextScan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

namespace qivyun {
namespace {

TEST(TextScan, FindTextStepsOneGbkCharacterAtATime) {
    struct Case {
        const char* what;
        std::string text;
        std::string marker;
        std::ptrdiff_t start;
        std::ptrdiff_t expected;
    };
    const Case cases[] = {
        {"plain match", "abcabc", "ca", 0, 2},
        {"match at the start position", "abcabc", "abc", 3, 3},
        {"no match", "abcabc", "x", 0, -1},
        {"start at the end", "abc", "c", 3, -1},
        {"start beyond the end", "abc", "c", 4, -1},
        {"empty marker at the start", "abc", "", 1, 1},
        // B4 F3 is one character: the 'F3 D0' inside 大小 is not a character start.
        {"marker inside a double-byte pair", "\xB4\xF3\xD0\xA1", "\xF3\xD0", 0, -1},
        {"same bytes found when counted from the trail byte", "\xB4\xF3\xD0\xA1", "\xF3\xD0", 1, 1},
        // 0xB4 followed by 'a' is still one character, so the 'a' is hidden.
        {"a lead byte swallows the ASCII byte after it", "\xB4" "a<a", "a", 0, 3},
        {"0x80 and 0xFF are single bytes", "\x80" "a\xFF" "b", "b", 0, 3},
        {"a lead byte at the very end", "ab\xB4", "\xB4", 0, 2},
        {"marker longer than the rest", "abc", "bcd", 0, -1},
    };
    for (const Case& c : cases) EXPECT_EQ(FindText(c.text, c.marker, c.start), c.expected) << c.what;
}

// FindText looks only at the places where the marker's bytes occur; the answer must be the one of
// the walk that compares at every character start.
TEST(TextScan, FindTextAnswersAsTheCharacterWalkOnRandomText) {
    const auto walk = [](const std::string& text, const std::string& marker, size_t start) -> std::ptrdiff_t {
        for (size_t i = start; i + marker.size() <= text.size(); i += static_cast<unsigned char>(text[i]) >= 0x81 &&
                                                                     static_cast<unsigned char>(text[i]) <= 0xFE ? 2 : 1)
            if (text.compare(i, marker.size(), marker) == 0) return static_cast<std::ptrdiff_t>(i);
        return -1;
    };
    const std::string pieces[] = {"\xB4", "\xB4\xF3", "\xF3", "a", "<", "\xFF", "\x80", "\xB4\xB4\xB4"};
    const std::string markers[] = {"\xB4\xF3", "\xF3\xB4", "a<", "\xB4" "a", "<", "\xB4"};
    std::mt19937 random(7);
    for (int round = 0; round < 20000; ++round) {
        std::string text;
        for (int i = static_cast<int>(random() % 24); i > 0; --i) text += pieces[random() % std::size(pieces)];
        const std::string& marker = markers[random() % std::size(markers)];
        const size_t start = random() % (text.size() + 1);
        ASSERT_EQ(FindText(text, marker, static_cast<std::ptrdiff_t>(start)), walk(text, marker, start))
            << "text of " << text.size() << " bytes from " << start;
    }
}

TEST(TextScan, CutBetweenFollowsTheMissingMarkerRules) {
    struct Case {
        const char* what;
        std::string text;
        std::string open;
        std::string close;
        std::string expected;
    };
    const Case cases[] = {
        {"both markers", "x<b>name</b>y", "<b>", "</b>", "name"},
        {"first opening marker, first closing after it", "<b>1</b><b>2</b>", "<b>", "</b>", "1"},
        {"closing marker before the opening one is skipped", "</b><b>n</b>", "<b>", "</b>", "n"},
        {"no closing marker after the opening one", "</b><b>name", "<b>", "</b>", ""},
        {"missing opening marker: eleven bytes", "0123456789<", "title=\"", "<", "6789"},
        {"missing opening marker, closing marker before offset length-1", "a<bcdefgh<", "title=\"", "<", "fgh"},
        {"missing opening marker longer than the text", "ab", "title=\"", "<", ""},
        {"empty between the markers", "<b></b>", "<b>", "</b>", ""},
        {"empty text", "", "<b>", "</b>", ""},
        {"opening marker at the end", "xx<b>", "<b>", "</b>", ""},
    };
    for (const Case& c : cases) EXPECT_EQ(CutBetween(c.text, c.open, c.close), c.expected) << c.what;
}

TEST(TextScan, TrimLeftAndTextAfter) {
    EXPECT_EQ(TrimLeft(" \t\r\n\v\fname  "), "name  ");
    EXPECT_EQ(TrimLeft("   "), "");
    EXPECT_EQ(TrimLeft("\xA1\xA1x"), "\xA1\xA1x");  // the GBK ideographic space is not white space here
    EXPECT_EQ(TextAfter("abcdef", 0), "bcdef");
    EXPECT_EQ(TextAfter("abcdef", 4), "f");
    EXPECT_EQ(TextAfter("abcdef", 5), "");
    EXPECT_EQ(TextAfter("abcdef", 9), "");
    EXPECT_EQ(TextAfter("abcdef", -1), "abcdef");
}

TEST(PercentEncodeTest, KeywordsAsTheSitesExpectThem) {
    struct Case {
        std::string gbk;
        std::string expected;
    };
    const Case cases[] = {
        {"电影 a", "%E7%94%B5%E5%BD%B1+a"},
        {"a b", "a+b"},
        {"a-b", "a%2Db"},
        {"-_.~", "%2D%5F%2E%7E"},
        {"\t\n\v\f\r ", "++++++"},
        {"AZaz09", "AZaz09"},
        {"%+&=", "%25%2B%26%3D"},
        {"", ""},
        {std::string("ab\0cd", 5), "ab"},  // the keyword ends at its zero byte
    };
    for (const Case& c : cases) EXPECT_EQ(EncodeKeyword(c.gbk), c.expected) << c.gbk;
    EXPECT_EQ(PercentEncode(std::string("\x00\x7F\x80\xFF", 4)), "%00%7F%80%FF");
}

TEST(PageTextTest, LinesAreJoinedWithoutTheirLineFeeds) {
    struct Case {
        const char* what;
        std::string body;
        std::string expected;
    };
    const Case cases[] = {
        {"bare line feeds", "</td>\n<td>", "</td><td>"},
        {"CR LF keeps the carriage return", "</td>\r\n<td>\r\n", "</td>\r<td>\r"},
        {"last line without a line feed", "a\nb", "ab"},
        {"empty lines", "\n\n\n", ""},
        {"empty body", "", ""},
        {"UTF-8 turned into GBK", reinterpret_cast<const char*>(u8"大小:1\n"), "\xB4\xF3\xD0\xA1:1"},
        {"what GBK cannot hold", "a\xF0\x9F\x8E\xAC" "b", "a?b"},
        {"a character cut by a line feed is not joined across it", "\xE5\xA4\n\xA7", "??"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AssemblePageText(c.body), c.expected) << c.what;
        // The same text whatever the chunks the transport delivers.
        PageTextBuilder builder;
        for (const char byte : c.body) builder.Append(std::string_view(&byte, 1));
        EXPECT_EQ(builder.Finish(), c.expected) << c.what << " (byte by byte)";
    }
}

TEST(PageTextTest, MarkerMatchesAcrossAFormerLineBreak) {
    const std::string page = AssemblePageText("<a>name</a\n>tail");
    EXPECT_EQ(CutBetween(page, "<a>", "</a>"), "name");
}

}  // namespace
}  // namespace qivyun
