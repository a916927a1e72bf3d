#pragma once
// The skin types 1001 to 1037, the window classes that select them and the kind that draws each:
// one table, which the class dispatch reads for the classes and the table of kinds for the kinds.
// A type reached through no class comes only from a host's "ZOR_C" (or, for 1034 and 1035, from a
// window's caption).
#include <cstdint>
#include <initializer_list>
#include <string_view>

namespace qivyun::skin {

// A skin type; 0 stands for none.
using SkinType = uint16_t;

namespace skintype {
enum : SkinType {
    None = 0,
    Animation = 1001,
    CheckBox = 1002,
    ComboBox = 1003,
    ComboDropDown = 1004,
    AfxControlBar = 1005,
    DateTimePicker = 1006,
    Edit = 1007,
    GroupBox = 1008,
    Header = 1009,
    HotKey = 1010,
    IpAddress = 1011,
    Reserved1012 = 1012,
    ListBox = 1013,
    ListView = 1014,
    FrameClient = 1015,
    PopupMenu = 1016,
    MonthCalendar = 1017,
    Reserved1018 = 1018,
    ProgressBar = 1019,
    PushButton = 1020,
    RadioButton = 1021,
    ReBar = 1022,
    RichEdit = 1023,
    ScrollBar = 1024,
    HostScrollable = 1025,
    UpDown = 1026,
    StatusBar = 1027,
    TabControl = 1028,
    Toolbar = 1029,
    ControlBarFrame = 1030,
    Trackbar = 1031,
    TreeView = 1032,
    TravelBand = 1033,
    Dialog = 1034,
    AfxFrame = 1035,
    OwnerDrawButton = 1036,
    ChildPanel = 1037,
};
}  // namespace skintype

// How the skin draws a type; types share a kind where the skin draws them alike. A kind has a
// skinner once the table of kinds names one.
enum class SkinKind : uint8_t {
    None,             // the reserved types: never a skinner
    BorderOnly,       // the control draws itself; the skinner draws its frame
    CheckBox,
    ComboBox,
    ComboDropDown,
    ControlBar,
    DateTimePicker,
    Scrollable,       // the border and the skin's own scroll bars in the non-client area
    GroupBox,
    Header,
    FrameClient,
    PopupMenu,
    MonthCalendar,
    ProgressBar,
    PushButton,
    RadioButton,
    ScrollBar,
    UpDown,
    StatusBar,
    TabControl,
    Toolbar,
    ControlBarFrame,  // a framed window that fits a control-bar child into its frame
    Trackbar,
    Band,
    Dialog,           // dialogs and framed windows
    AfxFrame,
    OwnerDrawButton,
    ChildPanel,       // background, border and control colours of a child panel
};

// How a window's class name selects a type.
enum class ClassMatch : uint8_t {
    None,         // no class selects it
    Name,         // the whole name, compared byte for byte
    Part,         // a part of the name, found at character starts
    ButtonStyle,  // "Button" whose low four style bits are one of the type's button styles
};

struct SkinTypeRule {
    SkinType type;
    SkinKind kind;
    ClassMatch match = ClassMatch::None;
    std::string_view className = {};
    uint16_t buttonStyles = 0;  // bit n: the low four style bits n select the type
};

constexpr uint16_t ButtonStyles(std::initializer_list<int> styles) {
    uint16_t bits = 0;
    for (int style : styles) bits |= uint16_t(1u << style);
    return bits;
}

// Every type once, in the order the class dispatch tries them; the types that no class selects
// last. A class named here never takes the caption rule: a "Button" of another style (user
// button, push box, the undefined styles) gets no type at all.
inline constexpr SkinTypeRule SkinTypeRules[] = {
    {skintype::Dialog, SkinKind::Dialog, ClassMatch::Name, "#32770"},
    {skintype::PopupMenu, SkinKind::PopupMenu, ClassMatch::Name, "#32768"},
    {skintype::PushButton, SkinKind::PushButton, ClassMatch::ButtonStyle, "Button", ButtonStyles({0, 1})},
    {skintype::RadioButton, SkinKind::RadioButton, ClassMatch::ButtonStyle, "Button", ButtonStyles({4, 9})},
    {skintype::GroupBox, SkinKind::GroupBox, ClassMatch::ButtonStyle, "Button", ButtonStyles({7})},
    {skintype::OwnerDrawButton, SkinKind::OwnerDrawButton, ClassMatch::ButtonStyle, "Button", ButtonStyles({11})},
    {skintype::CheckBox, SkinKind::CheckBox, ClassMatch::ButtonStyle, "Button", ButtonStyles({2, 3, 5, 6})},
    {skintype::Edit, SkinKind::Scrollable, ClassMatch::Name, "Edit"},
    {skintype::RichEdit, SkinKind::Scrollable, ClassMatch::Name, "RICHEDIT"},
    {skintype::ListBox, SkinKind::Scrollable, ClassMatch::Name, "ListBox"},
    {skintype::ListView, SkinKind::Scrollable, ClassMatch::Name, "SysListView32"},
    {skintype::TreeView, SkinKind::Scrollable, ClassMatch::Name, "SysTreeView32"},
    {skintype::ComboDropDown, SkinKind::ComboDropDown, ClassMatch::Name, "ComboLBox"},
    {skintype::ComboBox, SkinKind::ComboBox, ClassMatch::Name, "ComboBox"},
    {skintype::TabControl, SkinKind::TabControl, ClassMatch::Name, "SysTabControl32"},
    {skintype::Header, SkinKind::Header, ClassMatch::Name, "SysHeader32"},
    {skintype::UpDown, SkinKind::UpDown, ClassMatch::Name, "msctls_updown32"},
    {skintype::Trackbar, SkinKind::Trackbar, ClassMatch::Name, "msctls_trackbar32"},
    {skintype::Toolbar, SkinKind::Toolbar, ClassMatch::Name, "ToolbarWindow32"},
    {skintype::AfxControlBar, SkinKind::ControlBar, ClassMatch::Part, "AfxControlBar"},
    {skintype::ReBar, SkinKind::ControlBar, ClassMatch::Part, "ReBarWindow32"},
    {skintype::StatusBar, SkinKind::StatusBar, ClassMatch::Name, "msctls_statusbar32"},
    {skintype::ProgressBar, SkinKind::ProgressBar, ClassMatch::Name, "msctls_progress32"},
    {skintype::DateTimePicker, SkinKind::DateTimePicker, ClassMatch::Name, "SysDateTimePick32"},
    {skintype::MonthCalendar, SkinKind::MonthCalendar, ClassMatch::Name, "SysMonthCal32"},
    {skintype::FrameClient, SkinKind::FrameClient, ClassMatch::Part, "AfxFrameOrView"},
    {skintype::FrameClient, SkinKind::FrameClient, ClassMatch::Part, "MDIClient"},
    {skintype::ScrollBar, SkinKind::ScrollBar, ClassMatch::Name, "ScrollBar"},
    {skintype::HotKey, SkinKind::BorderOnly, ClassMatch::Name, "msctls_hotkey32"},
    {skintype::IpAddress, SkinKind::BorderOnly, ClassMatch::Name, "SysIPAddress32"},
    {skintype::Animation, SkinKind::BorderOnly, ClassMatch::Name, "SysAnimate32"},
    {skintype::TravelBand, SkinKind::Band, ClassMatch::Name, "TravelBand"},
    {skintype::AfxFrame, SkinKind::AfxFrame},  // a captioned window whose class name holds "Afx:"
    {skintype::HostScrollable, SkinKind::Scrollable},
    {skintype::ControlBarFrame, SkinKind::ControlBarFrame},
    {skintype::ChildPanel, SkinKind::ChildPanel},
    {skintype::Reserved1012, SkinKind::None},
    {skintype::Reserved1018, SkinKind::None},
};

// The kind of a type; None for a number outside the table.
constexpr SkinKind KindOfType(SkinType type) {
    for (const SkinTypeRule& rule : SkinTypeRules) {
        if (rule.type == type) return rule.kind;
    }
    return SkinKind::None;
}

// Every number from 1001 to 1037 has its kind, and a type's rows agree on it.
constexpr bool EveryTypeHasOneKind() {
    for (SkinType type = skintype::Animation; type <= skintype::ChildPanel; ++type) {
        int rows = 0;
        for (const SkinTypeRule& rule : SkinTypeRules) {
            if (rule.type != type) continue;
            if (rows++ > 0 && rule.kind != KindOfType(type)) return false;
        }
        if (rows == 0) return false;
    }
    return true;
}
static_assert(EveryTypeHasOneKind());

}  // namespace qivyun::skin
