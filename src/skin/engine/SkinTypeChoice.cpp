#include "skin/engine/SkinTypeChoice.h"

namespace qivyun::skin {
namespace {

constexpr uint32_t CaptionStyle = 0x00C00000;  // WS_CAPTION: border and dialog frame

struct ClassRule {
    std::string_view name;
    bool part;  // the name only has to contain it
    SkinType type;
};

// In the order they are tried; "Button" is decided by its style.
constexpr ClassRule classRules[] = {
    {"#32770", false, 1034},
    {"#32768", false, 1016},
    {"Button", false, 0},
    {"Edit", false, 1007},
    {"RICHEDIT", false, 1023},
    {"ListBox", false, 1013},
    {"SysListView32", false, 1014},
    {"SysTreeView32", false, 1032},
    {"ComboLBox", false, 1004},
    {"ComboBox", false, 1003},
    {"SysTabControl32", false, 1028},
    {"SysHeader32", false, 1009},
    {"msctls_updown32", false, 1026},
    {"msctls_trackbar32", false, 1031},
    {"ToolbarWindow32", false, 1029},
    {"AfxControlBar", true, 1005},
    {"ReBarWindow32", true, 1022},
    {"msctls_statusbar32", false, 1027},
    {"msctls_progress32", false, 1019},
    {"SysDateTimePick32", false, 1006},
    {"SysMonthCal32", false, 1017},
    {"AfxFrameOrView", true, 1015},
    {"MDIClient", true, 1015},
    {"ScrollBar", false, 1024},
    {"msctls_hotkey32", false, 1010},
    {"SysIPAddress32", false, 1011},
    {"SysAnimate32", false, 1001},
    {"TravelBand", false, 1033},
};

SkinType ButtonType(uint32_t style) {
    switch (style & 0x0f) {
    case 0: case 1: return 1020;   // push button, default push button
    case 4: case 9: return 1021;   // radio button, auto radio button
    case 7: return 1008;           // group box
    case 11: return 1036;          // owner-draw
    case 2: case 3: case 5: case 6: return 1002;  // check boxes and three-state boxes
    default: return 0;             // user button, push box and the undefined styles
    }
}

bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xfe; }

}  // namespace

bool ContainsText(std::string_view name, std::string_view part) {
    for (size_t at = 0; at < name.size(); at += IsLeadByte(static_cast<unsigned char>(name[at])) ? 2 : 1) {
        if (name.substr(at, part.size()) == part) return true;
    }
    return part.empty();
}

SkinType SkinTypeForClass(std::string_view className, uint32_t style) {
    for (const ClassRule& rule : classRules) {
        bool matches = rule.part ? ContainsText(className, rule.name) : className == rule.name;
        if (!matches) continue;
        return rule.name == "Button" ? ButtonType(style) : rule.type;
    }
    if ((style & CaptionStyle) != CaptionStyle) return 0;
    return ContainsText(className, "Afx:") ? 1035 : 1034;
}

}  // namespace qivyun::skin
