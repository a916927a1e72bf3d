#include "skin/engine/SkinTypeChoice.h"

namespace qivyun::skin {
namespace {

constexpr uint32_t CaptionStyle = 0x00C00000;  // WS_CAPTION: border and dialog frame
constexpr uint32_t ButtonTypeBits = 0x0f;      // BS_TYPEMASK

bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xfe; }

}  // namespace

bool ContainsText(std::string_view name, std::string_view part) {
    for (size_t at = 0; at < name.size(); at += IsLeadByte(static_cast<unsigned char>(name[at])) ? 2 : 1) {
        if (name.substr(at, part.size()) == part) return true;
    }
    return part.empty();
}

SkinType SkinTypeForClass(std::string_view className, uint32_t style) {
    bool buttonClass = false;  // a class of the table whose style chose none of its types
    for (const SkinTypeRule& rule : SkinTypeRules) {
        switch (rule.match) {
        case ClassMatch::None:
            break;
        case ClassMatch::Name:
            if (className == rule.className) return rule.type;
            break;
        case ClassMatch::Part:
            if (ContainsText(className, rule.className)) return rule.type;
            break;
        case ClassMatch::ButtonStyle:
            if (className != rule.className) break;
            if (rule.buttonStyles & (1u << (style & ButtonTypeBits))) return rule.type;
            buttonClass = true;
            break;
        }
    }
    if (buttonClass || (style & CaptionStyle) != CaptionStyle) return skintype::None;
    return ContainsText(className, "Afx:") ? skintype::AfxFrame : skintype::Dialog;
}

}  // namespace qivyun::skin
