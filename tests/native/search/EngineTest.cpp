#include "BuildConfig.h"
#include "search/PercentEncode.h"
#include "search/RequestAddress.h"
#include "search/ResultScan.h"
#include "search/TextScan.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace qivyun {
namespace {

// Pages below are GBK page text (literals are GBK in this build).
struct EngineCase {
    EngineId engine;
    std::string page;
    std::string total;
    std::vector<std::vector<std::string>> rows;  // list order: ID, name, size, address
};

TEST(EngineRules, EachEngineCutsItsFieldsAsItsSettingsSay) {
    const EngineCase cases[] = {
        {EngineId::Ed2k4U,
         "<td>结果总数  23</td>"
         "<li hash=\"A\"><img/><br/>\r  Film A <small>.mkv</small><span>大小:1.2 GB&nbsp;</span>"
         "<span id=\"l1\"><a href=\"ed2k://|file|A|1|H1|/\">ED2K</a></span></li>"
         "<li hash=\"B\"><br/>Film B<small></small><span>大小:700 MB&nbsp;</span>"
         "<span id=\"l2\"><a href=\"ed2k://|file|B|2|H2|/\">eMule</a></span></li>",
         "23",
         // B lacks ">ED2K", so its first cut is empty and so is its address.
         {{"2", "【双击点播】Film B", "700 MB", ""}, {"1", "【双击点播】Film A ", "1.2 GB", "ed2k://|file|A|1|H1|/"}}},
        {EngineId::H31B,
         "<p>总条数: 40 </p><p>时间 0.1</p>"
         "<a title=\"查看详情\">x</a><a title=\"Name One\">n</a><a href=\"magnet:?xt=urn:btih:AA&dn=One\">m</a>"
         "<a title=\"查看详情\">x</a><a href=\"magnet:?xt=urn:btih:BB&dn=Two\">m</a>"
         "<a title=\"查看更多\">x</a><a title=\"Three\">n</a><a href=\"magnet:?xt=urn:btih:CC\">m</a>",
         // Trailing blanks and markup before 时间 stay in the total.
         "40 </p><p>",
         // Record 2 has no title of its own: its name is the next record's marker attribute from 查看.
         // Record 3's link has no "&dn=": the cut runs out and the address is "magnet" alone.
         {{"3", "【双击点播】Three", "未知", "magnet"},
          {"2", "【双击点播】查看更多", "未知", "magnet:?xt=urn:btih:BB"},
          {"1", "【双击点播】Name One", "未知", "magnet:?xt=urn:btih:AA"}}},
        {EngineId::DHCT,
         "<ul class=\"m-files-ul\"><a href=\"magnet:?xt=urn:btih:AA&dn=x\"><img alt=\"下载 Name A\"></a>"
         "<li>大小:1 GB&nbsp;</li></ul>",
         "不支持获取",
         {{"1", "【双击点播】Name A", "1 GB", "magnet:?xt=urn:btih:AA"}}},
        {EngineId::FuSo,
         "<p>相关的BT种子  17个</p>"
         "<tr><td class=\"number\">1</td><td class=\"name\"><a target=\"_blank\">  Name A</a></td><td>2 GB</td>"
         "<td><a href=\"magnet:?xt=urn:btih:AA&dn=A&tr=x\">m</a></td></tr>"
         "<tr><td class=\"number\">2</td><td class=\"name\"><a target=\"_blank\">Name B</a></td><td>3 GB</td>"
         "<td><a href=\"magnet:?xt=urn:btih:BB\">m</a></td></tr>",
         "17",
         // B's link has no "&" after "magnet:" anywhere: the address is "magnet:" alone.
         {{"2", "【双击点播】Name B", "3 GB", "magnet:"}, {"1", "【双击点播】Name A", "2 GB", "magnet:?xt=urn:btih:AA"}}},
        {EngineId::Hash,
         "<table><tr><td><a target=\"_blank\">Detail</a></td></tr><tr><td><a title=\"Name A\" href=\"/hash/0123abcd\">"
         "</a></td><td class=\"files-size\">4 GB</td></tr></table>",
         "未知",
         {{"1", "【双击点播】Name A", "4 GB", "0123abcd"}}},
    };
    for (const EngineCase& c : cases) {
        const SearchEngine& engine = EngineSettings(c.engine);
        const ScanResult result = ScanResultPage(engine, c.page, 0);
        EXPECT_EQ(result.totalText, c.total) << engine.name;
        ASSERT_EQ(result.rows.size(), c.rows.size()) << engine.name;
        for (size_t i = 0; i < c.rows.size(); ++i) {
            const ResultRow& row = result.rows[i];
            EXPECT_EQ((std::vector<std::string>{row.id, row.name, row.size, row.address}), c.rows[i])
                << engine.name << " row " << i;
        }
    }
}

TEST(EngineRules, PagesWithoutRecordsAndMarkersAtOffsetZero) {
    struct Case {
        const char* what;
        EngineId engine;
        std::string page;
        std::string total;
        size_t rows;
    };
    const Case cases[] = {
        {"no record marker: total still set", EngineId::FuSo, "相关的BT种子 0个", "0", 0},
        {"fixed totals hold without records", EngineId::DHCT, "", "不支持获取", 0},
        {"fixed totals hold without records", EngineId::Hash, "nothing", "未知", 0},
        {"marker at offset 0 ends the scan", EngineId::Ed2k4U, "li hash=1 li hash=2", "", 0},
        // 结果总数 is missing: the cut starts at offset 7 and runs to the first </td>.
        {"missing total marker", EngineId::Ed2k4U, "<td>   12345</td> li hash=", "12345", 1},
        {"marker after offset 0 counts", EngineId::Ed2k4U, " li hash=1 li hash=2", "", 2},
    };
    for (const Case& c : cases) {
        const ScanResult result = ScanResultPage(EngineSettings(c.engine), c.page, 0);
        EXPECT_EQ(result.totalText, c.total) << c.what;
        EXPECT_EQ(result.rows.size(), c.rows) << c.what;
    }
}

TEST(EngineRules, IdsContinueFromTheCounterAndTheLastRecordIsOnTop) {
    const std::string page = " li hash=<br/>a<small> li hash=<br/>b<small> li hash=<br/>c<small>";
    const ScanResult result = ScanResultPage(EngineSettings(EngineId::Ed2k4U), page, 40);
    ASSERT_EQ(result.rows.size(), 3u);
    EXPECT_EQ(result.rows[0].id, "43");
    EXPECT_EQ(result.rows[0].name, "【双击点播】c");
    EXPECT_EQ(result.rows[2].id, "41");
    EXPECT_EQ(result.rows[2].name, "【双击点播】a");
    EXPECT_EQ(result.rowCounter, 43);
}

TEST(EngineRules, EscapedMarkersAreTheGbkTexts) {
    // The engine table spells its GBK markers as escapes; they must equal the texts themselves.
    EXPECT_EQ(PlayHintPrefix, "【双击点播】");
    EXPECT_EQ(EngineSettings(EngineId::Ed2k4U).totalRule.first.open, "结果总数");
    EXPECT_EQ(EngineSettings(EngineId::Ed2k4U).sizeRule.first.open, "大小:");
    EXPECT_EQ(EngineSettings(EngineId::H31B).totalRule.first.open, "总条数:");
    EXPECT_EQ(EngineSettings(EngineId::H31B).totalRule.first.close, "时间");
    EXPECT_EQ(EngineSettings(EngineId::H31B).recordMarker, "title=\"查看");
    EXPECT_EQ(EngineSettings(EngineId::H31B).sizeRule.fixedText, "未知");
    EXPECT_EQ(EngineSettings(EngineId::DHCT).totalRule.fixedText, "不支持获取");
    EXPECT_EQ(EngineSettings(EngineId::DHCT).nameRule.first.open, "alt=\"下载");
    EXPECT_EQ(EngineSettings(EngineId::DHCT).sizeRule.first.open, "大小:");
    EXPECT_EQ(EngineSettings(EngineId::FuSo).totalRule.first.open, "相关的BT种子");
    EXPECT_EQ(EngineSettings(EngineId::FuSo).totalRule.first.close, "个");
    EXPECT_EQ(EngineSettings(EngineId::Hash).totalRule.fixedText, "未知");
    for (const EngineId id : AllEngines) EXPECT_EQ(EngineSettings(id).id, id);
}

TEST(RequestAddressTest, EachEngineJoinsItsPiecesInOrder) {
    struct Case {
        EngineId engine;
        std::string expected;
    };
    const std::string k = "%E7%94%B5%E5%BD%B1+a";
    const Case cases[] = {
        {EngineId::Ed2k4U, std::string(config::Ed2k4UAddress) + "//search/" + k + "?page=7&mode=thumb"},
        {EngineId::H31B, std::string(config::H31BAddress) + "/bt.aspx?page=7&key=" + k},
        {EngineId::DHCT, std::string(config::DHCTAddress) + "/?s=" + k + "&p=7"},
        {EngineId::FuSo, std::string(config::FuSoAddress) + "/?keyword=" + k + "&page=7"},
        {EngineId::Hash, std::string(config::HashAddress) + "/search/" + k + "/currentPage/7"},
    };
    for (const Case& c : cases) {
        const auto address = ComposeRequestAddress(EngineSettings(c.engine), "电影 a", "7");
        ASSERT_TRUE(address);
        EXPECT_EQ(address->address, c.expected);
        EXPECT_FALSE(address->keywordShortened);
    }
    EXPECT_EQ(EngineFromName("ed2k4u"), EngineId::Ed2k4U);
    EXPECT_EQ(EngineFromName("HASH"), EngineId::Hash);
    EXPECT_EQ(EngineFromName("Ecv"), std::nullopt);
}

TEST(RequestAddressTest, LongKeywordsLoseWholeCharactersFromTheirEnd) {
    SearchEngine engine = EngineSettings(EngineId::Ed2k4U);
    engine.baseAddress = "http://h";
    const std::string fixed = "http://h//search/?page=12&mode=thumb";
    struct Case {
        const char* what;
        std::string keyword;
    };
    std::string mixed;
    std::string chinese;
    for (int i = 0; i < 200; ++i) mixed += i % 3 ? "电" : "a-";
    for (int i = 0; i < 170; ++i) chinese += "影";
    const Case cases[] = {
        {"Chinese: nine bytes per character", chinese},
        {"ASCII that encodes to three bytes", std::string(1000, '-')},
        {"mixed", mixed},
        {"letters", std::string(1023, 'x')},
    };
    for (const Case& c : cases) {
        const auto address = ComposeRequestAddress(engine, c.keyword, "12");
        ASSERT_TRUE(address) << c.what;
        EXPECT_TRUE(address->keywordShortened) << c.what;
        EXPECT_LE(address->address.size(), MaxRequestAddressLength) << c.what;
        // The page part survives, and the keyword part is the encoding of a whole-character prefix
        // that no further character would fit after.
        const std::string& a = address->address;
        ASSERT_EQ(a.substr(a.size() - 19), "?page=12&mode=thumb") << c.what;
        const std::string encoded = a.substr(17, a.size() - fixed.size());
        size_t prefix = 0;
        while (prefix < c.keyword.size() && EncodeKeyword(c.keyword.substr(0, prefix)) != encoded)
            prefix += static_cast<unsigned char>(c.keyword[prefix]) >= 0x81 ? 2 : 1;
        ASSERT_LT(prefix, c.keyword.size()) << c.what << ": not the encoding of a prefix";
        const size_t next = prefix + (static_cast<unsigned char>(c.keyword[prefix]) >= 0x81 ? 2 : 1);
        EXPECT_GT(fixed.size() + EncodeKeyword(c.keyword.substr(0, next)).size(), MaxRequestAddressLength) << c.what;
    }
    // Exactly at the limit nothing is shortened.
    const auto exact = ComposeRequestAddress(engine, std::string(MaxRequestAddressLength - fixed.size(), 'x'), "12");
    ASSERT_TRUE(exact);
    EXPECT_FALSE(exact->keywordShortened);
    EXPECT_EQ(exact->address.size(), MaxRequestAddressLength);
    // A site address that leaves no room at all is refused.
    const std::string longBase(1020, 'h');
    engine.baseAddress = longBase;
    EXPECT_FALSE(ComposeRequestAddress(engine, "a", "1"));
}

// The scan exactly as the algorithm states it: the rest of the page is copied for every record.
ScanResult CopyingScan(const SearchEngine& engine, std::string page, int rowCounter) {
    ScanResult result;
    result.totalText = ApplyFieldRule(engine.totalRule, page);
    std::ptrdiff_t pos = FindText(page, engine.recordMarker, 0);
    while (pos > 0) {
        ++rowCounter;
        page = std::string(TextAfter(page, pos));
        pos = FindText(page, engine.recordMarker, 0);
        result.rows.insert(result.rows.begin(), ResultRow{std::to_string(rowCounter),
                                                          std::string(PlayHintPrefix) + ApplyFieldRule(engine.nameRule, page),
                                                          ApplyFieldRule(engine.sizeRule, page),
                                                          ApplyFieldRule(engine.addressRule, page)});
    }
    result.rowCounter = rowCounter;
    return result;
}

TEST(EngineRules, OffsetScanGivesTheRowsOfTheCopyingScan) {
    // Random pages built from every engine's markers and a few GBK bytes.
    std::mt19937 random(12345);
    for (const EngineId id : AllEngines) {
        const SearchEngine& engine = EngineSettings(id);
        // Runs of lead bytes make walks from neighbouring starts step on different bytes.
        std::vector<std::string> pieces = {std::string(engine.recordMarker), "<", "\"", "&", "</td>", "<td>", " ", "\r",
                                           "电", "\xB4", "\xB4\xB4\xB4", "x", "title=\"", "href=\"magnet", "&dn=", "magnet:"};
        for (const FieldRule* rule : {&engine.totalRule, &engine.nameRule, &engine.sizeRule, &engine.addressRule}) {
            for (const Cut& cut : {rule->first, rule->second}) {
                if (!cut.open.empty()) pieces.emplace_back(cut.open);
                if (!cut.close.empty()) pieces.emplace_back(cut.close);
            }
        }
        for (int round = 0; round < 3000; ++round) {
            std::string page;
            const int count = static_cast<int>(random() % 60);
            for (int i = 0; i < count; ++i) page += pieces[random() % pieces.size()];
            const ScanResult expected = CopyingScan(engine, page, 5);
            const ScanResult actual = ScanResultPage(engine, page, 5);
            ASSERT_EQ(actual.totalText, expected.totalText) << engine.name << " page " << page;
            ASSERT_EQ(actual.rowCounter, expected.rowCounter) << engine.name << " page " << page;
            ASSERT_EQ(actual.rows.size(), expected.rows.size());
            for (size_t i = 0; i < actual.rows.size(); ++i) {
                EXPECT_EQ(actual.rows[i].id, expected.rows[i].id);
                EXPECT_EQ(actual.rows[i].name, expected.rows[i].name) << engine.name << " page " << page;
                EXPECT_EQ(actual.rows[i].size, expected.rows[i].size) << engine.name << " page " << page;
                EXPECT_EQ(actual.rows[i].address, expected.rows[i].address) << engine.name << " page " << page;
            }
        }
    }
}

}  // namespace
}  // namespace qivyun
