#pragma once
// The settings of the five search engines: how each composes its request address, finds its total
// and cuts the three fields out of a record. All five follow one scheme; only this data differs.
#include "search/EngineId.h"
#include "search/TextScan.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qivyun {

// One CutBetween: the text between open and close.
struct Cut {
    std::string_view open;
    std::string_view close;
};

// How a field (or the total) is obtained from the text it is given.
struct FieldRule {
    enum class Kind { FixedText, OneCut, TwoCuts };
    Kind kind = Kind::FixedText;
    std::string_view fixedText;  // FixedText: the whole field
    Cut first;                   // OneCut, TwoCuts: cut from the text
    Cut second;                  // TwoCuts: cut again from the first cut
    bool trimLeft = false;       // TrimLeft after the cuts
    std::string_view prefix;     // put in front of the cut
};

// One piece of a request address, joined in pattern order.
struct AddressPiece {
    enum class Kind { End, BaseAddress, Text, EncodedKeyword, PageText };
    Kind kind = Kind::End;
    std::string_view text;  // Kind::Text only
};

struct SearchEngine {
    EngineId id;
    std::string_view name;         // as the command line spells it: Ed2k4U, H31B, DHCT, FuSo, Hash
    std::string_view baseAddress;  // scheme and host of the site, from the build configuration
    std::array<AddressPiece, 6> addressPattern;
    FieldRule totalRule;
    std::string_view recordMarker;
    FieldRule nameRule;
    FieldRule sizeRule;
    FieldRule addressRule;
};

// The configured settings of an engine.
const SearchEngine& EngineSettings(EngineId id);

// The engine a name on the command line means, ignoring case.
std::optional<EngineId> EngineFromName(std::string_view name);

// The field as the rule gives it from text (the prefix included).
std::string ApplyFieldRule(const FieldRule& rule, std::string_view text);

// The same with every CutBetween made by cut(text, cutIndex): cutIndex 0 is the rule's first cut,
// 1 its second.
template <typename CutFunction>
std::string ApplyFieldRuleWith(const FieldRule& rule, std::string_view text, CutFunction&& cut) {
    std::string_view field;
    switch (rule.kind) {
        case FieldRule::Kind::FixedText:
            return std::string(rule.fixedText);
        case FieldRule::Kind::OneCut:
            field = cut(text, 0);
            break;
        case FieldRule::Kind::TwoCuts:
            field = cut(cut(text, 0), 1);
            break;
    }
    if (rule.trimLeft) field = TrimLeft(field);
    std::string result;
    result.reserve(rule.prefix.size() + field.size());
    result += rule.prefix;
    result += field;
    return result;
}

// The first byte of every row's name column: "【双击点播】" in GBK.
extern const std::string_view PlayHintPrefix;

}  // namespace qivyun
