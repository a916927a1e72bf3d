#include "search/SearchEngine.h"

#include "BuildConfig.h"
#include "search/TextScan.h"

namespace qivyun {
namespace {

// The GBK markers are written as escapes: the fuzz build's compiler writes literals only as
// UTF-8, and these bytes must match the GBK page text in every build.
constexpr std::string_view totalCountLabel = "\xBD\xE1\xB9\xFB\xD7\xDC\xCA\xFD";   // 结果总数
constexpr std::string_view sizeLabel = "\xB4\xF3\xD0\xA1:";                         // 大小:
constexpr std::string_view itemCountLabel = "\xD7\xDC\xCC\xF5\xCA\xFD:";            // 总条数:
constexpr std::string_view timeLabel = "\xCA\xB1\xBC\xE4";                          // 时间
constexpr std::string_view viewTitle = "title=\"\xB2\xE9\xBF\xB4";                  // title="查看
constexpr std::string_view downloadAlt = "alt=\"\xCF\xC2\xD4\xD8";                  // alt="下载
constexpr std::string_view seedsLabel = "\xCF\xE0\xB9\xD8\xB5\xC4" "BT" "\xD6\xD6\xD7\xD3";  // 相关的BT种子
constexpr std::string_view countWord = "\xB8\xF6";                                  // 个
constexpr std::string_view unknownText = "\xCE\xB4\xD6\xAA";                        // 未知
constexpr std::string_view unsupportedText = "\xB2\xBB\xD6\xA7\xB3\xD6\xBB\xF1\xC8\xA1";  // 不支持获取

using F = FieldRule::Kind;

constexpr AddressPiece Base{AddressPiece::Kind::BaseAddress, {}};
constexpr AddressPiece Keyword{AddressPiece::Kind::EncodedKeyword, {}};
constexpr AddressPiece Page{AddressPiece::Kind::PageText, {}};
constexpr AddressPiece Text(std::string_view text) { return {AddressPiece::Kind::Text, text}; }

FieldRule Fixed(std::string_view text) { return {F::FixedText, text, {}, {}, false, {}}; }
FieldRule CutOf(std::string_view open, std::string_view close, bool trimLeft = false, std::string_view prefix = {}) {
    return {F::OneCut, {}, {open, close}, {}, trimLeft, prefix};
}

const SearchEngine engines[] = {
    {EngineId::Ed2k4U, "Ed2k4U", config::Ed2k4UAddress,
     {{Base, Text("//search/"), Keyword, Text("?page="), Page,
       Text("&mode=thumb")}},
     CutOf(totalCountLabel, "</td>", true),
     "li hash=",
     CutOf("<br/>", "<small>", true),
     CutOf(sizeLabel, "&"),
     {F::TwoCuts, {}, {"span id=", ">ED2K"}, {"href=\"", "\""}, false, {}}},
    {EngineId::H31B, "H31B", config::H31BAddress,
     {{Base, Text("/bt.aspx?page="), Page, Text("&key="), Keyword}},
     CutOf(itemCountLabel, timeLabel, true),
     viewTitle,
     CutOf("title=\"", "\""),
     Fixed(unknownText),
     CutOf("href=\"magnet", "&dn=", false, "magnet")},
    {EngineId::DHCT, "DHCT", config::DHCTAddress,
     {{Base, Text("/?s="), Keyword, Text("&p="), Page}},
     Fixed(unsupportedText),
     "class=\"m-files-ul\"",
     CutOf(downloadAlt, "\"", true),
     CutOf(sizeLabel, "&"),
     CutOf("a href=\"", "&dn=")},
    {EngineId::FuSo, "FuSo", config::FuSoAddress,
     {{Base, Text("/?keyword="), Keyword, Text("&page="), Page}},
     CutOf(seedsLabel, countWord, true),
     "class=\"number\"",
     CutOf("_blank\">", "<", true),
     CutOf("<td>", "</td>"),
     CutOf("magnet:", "&", false, "magnet:")},
    {EngineId::Hash, "Hash", config::HashAddress,
     {{Base, Text("/search/"), Keyword, Text("/currentPage/"), Page}},
     Fixed(unknownText),
     "target=\"_blank\">Detail</a></td></tr><tr><td><a",
     CutOf("title=\"", "\""),
     CutOf("files-size\">", "<"),
     CutOf("/hash/", "\"")},
};

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

}  // namespace

const std::string_view PlayHintPrefix = "\xA1\xBE\xCB\xAB\xBB\xF7\xB5\xE3\xB2\xA5\xA1\xBF";  // 【双击点播】

const SearchEngine& EngineSettings(EngineId id) { return engines[static_cast<int>(id)]; }

std::optional<EngineId> EngineFromName(std::string_view name) {
    for (const SearchEngine& engine : engines) {
        if (engine.name.size() != name.size()) continue;
        bool same = true;
        for (size_t i = 0; i < name.size() && same; ++i) same = LowerAscii(engine.name[i]) == LowerAscii(name[i]);
        if (same) return engine.id;
    }
    return std::nullopt;
}

std::string ApplyFieldRule(const FieldRule& rule, std::string_view text) {
    return ApplyFieldRuleWith(rule, text, [&rule](std::string_view t, int cutIndex) {
        const Cut& cut = cutIndex == 0 ? rule.first : rule.second;
        return CutBetween(t, cut.open, cut.close);
    });
}

}  // namespace qivyun
