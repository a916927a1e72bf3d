#pragma once
// The settings of the five search engines: how each composes its request address, finds its total
// and cuts the three fields out of a record. All five follow one scheme; only this data differs.
#include "search/EngineId.h"

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

// The first byte of every row's name column: "【双击点播】" in GBK.
extern const std::string_view PlayHintPrefix;

}  // namespace qivyun
