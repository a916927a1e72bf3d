#pragma once
// What every index of the skin's tables means: the image parts, the metrics, the colours, the
// pairs and the font slots. This is the one assignment that the skin description, the atlas
// generator and every skinner use; an index missing here carries nothing (an image part of width 0
// is never drawn, a metric or colour is 0).
//
// Each list is X(name, index, what it is). The skinners of push buttons, check boxes, radio
// buttons, progress bars, headers, group boxes and scrollable controls read the indices their
// rules fix (push button 71-75, header 150-153 with text colour index = part - 118, ...); the
// title bar, frame, caption-button and menu indices are ours, for the framed-window and menu kinds,
// and so are those of the status bars, tab controls, toolbars, date-time pickers and month calendars.
#include "skin/container/SkinFormat.h"

#include <optional>
#include <string_view>

namespace qivyun::skin {

// Image parts (0-301). Sizes are those of our skin; every part is drawn by the nine-grid rule.
#define QIVYUN_SKIN_PARTS(X)                                                                        \
    /* framed windows and dialogs: title bar and frame edges, active / inactive */                 \
    X(TitleBarActive, 0, "title bar across the window's top, active window")                        \
    X(TitleBarInactive, 1, "title bar, inactive window")                                            \
    X(FrameLeftActive, 2, "left frame edge below the title bar, active")                            \
    X(FrameLeftInactive, 3, "left frame edge, inactive")                                            \
    X(FrameRightActive, 4, "right frame edge, active")                                              \
    X(FrameRightInactive, 5, "right frame edge, inactive")                                          \
    X(FrameBottomActive, 6, "bottom frame edge with its rounded corners, active")                   \
    X(FrameBottomInactive, 7, "bottom frame edge, inactive")                                        \
    /* caption buttons, each normal / pointer over / held; placed by the pairs below */            \
    X(CloseButtonNormal, 10, "close button")                                                        \
    X(CloseButtonOver, 11, "close button under the pointer")                                        \
    X(CloseButtonHeld, 12, "close button held down")                                                \
    X(MinimiseButtonNormal, 13, "minimise button")                                                  \
    X(MinimiseButtonOver, 14, "minimise button under the pointer")                                  \
    X(MinimiseButtonHeld, 15, "minimise button held down")                                          \
    X(MaximiseButtonNormal, 16, "maximise button")                                                  \
    X(MaximiseButtonOver, 17, "maximise button under the pointer")                                  \
    X(MaximiseButtonHeld, 18, "maximise button held down")                                          \
    X(RestoreButtonNormal, 19, "restore button (a maximised window)")                               \
    X(RestoreButtonOver, 20, "restore button under the pointer")                                    \
    X(RestoreButtonHeld, 21, "restore button held down")                                            \
    /* pop-up menus */                                                                              \
    X(MenuBackground, 40, "pop-up menu window: border and face")                                    \
    X(MenuItemHighlight, 41, "the item under the pointer or the keyboard selection")                \
    X(MenuSeparator, 42, "separator item, drawn across the item's width")                           \
    X(MenuCheck, 43, "check mark of a checked item")                                                \
    X(MenuSubmenuArrow, 44, "arrow of an item that opens a submenu")                                \
    /* push buttons */                                                                              \
    X(PushButtonNormal, 71, "push button, idle without the keyboard focus")                         \
    X(PushButtonOver, 72, "push button under the pointer")                                          \
    X(PushButtonFocused, 73, "push button with the keyboard focus")                                 \
    X(PushButtonHeld, 74, "push button held down; also a checked push-like check box")             \
    X(PushButtonDisabled, 75, "disabled push button")                                               \
    /* check boxes: unchecked, checked, indeterminate; the disabled indeterminate one uses 80 */   \
    X(CheckBoxNormal, 76, "check box, unchecked")                                                   \
    X(CheckBoxOver, 77, "unchecked, pointer over")                                                  \
    X(CheckBoxHeld, 78, "unchecked, held")                                                          \
    X(CheckBoxFocused, 79, "unchecked, keyboard focus")                                             \
    X(CheckBoxDisabled, 80, "unchecked, disabled (also indeterminate and disabled)")                \
    X(CheckBoxCheckedNormal, 81, "checked")                                                         \
    X(CheckBoxCheckedOver, 82, "checked, pointer over")                                             \
    X(CheckBoxCheckedHeld, 83, "checked, held")                                                     \
    X(CheckBoxCheckedFocused, 84, "checked, keyboard focus")                                        \
    X(CheckBoxCheckedDisabled, 85, "checked, disabled")                                             \
    X(CheckBoxMixedNormal, 86, "indeterminate")                                                     \
    X(CheckBoxMixedOver, 87, "indeterminate, pointer over")                                         \
    X(CheckBoxMixedHeld, 88, "indeterminate, held")                                                 \
    X(CheckBoxMixedFocused, 89, "indeterminate, keyboard focus")                                    \
    /* radio buttons: unchecked, checked */                                                        \
    X(RadioNormal, 91, "radio button, unchecked")                                                   \
    X(RadioOver, 92, "unchecked, pointer over")                                                     \
    X(RadioHeld, 93, "unchecked, held")                                                             \
    X(RadioFocused, 94, "unchecked, keyboard focus")                                                \
    X(RadioDisabled, 95, "unchecked, disabled")                                                     \
    X(RadioCheckedNormal, 96, "checked")                                                            \
    X(RadioCheckedOver, 97, "checked, pointer over")                                                \
    X(RadioCheckedHeld, 98, "checked, held")                                                        \
    X(RadioCheckedFocused, 99, "checked, keyboard focus")                                           \
    X(RadioCheckedDisabled, 100, "checked, disabled")                                               \
    /* group boxes; the caption background is drawn only when part 103 has a width */             \
    X(GroupBoxFrame, 101, "group box frame")                                                        \
    X(GroupBoxFrameDisabled, 102, "group box frame, disabled")                                      \
    X(GroupBoxCaption, 103, "caption background (empty in our skin: the caption sits on the window)") \
    X(GroupBoxCaptionDisabled, 104, "caption background, disabled (empty in our skin)")             \
    /* scroll bars: arrows normal / over / held / disabled, tracks, thumbs */                       \
    X(ScrollUpNormal, 116, "vertical bar, first (up) arrow")                                        \
    X(ScrollUpOver, 117, "up arrow, pointer over")                                                  \
    X(ScrollUpHeld, 118, "up arrow, held")                                                          \
    X(ScrollUpDisabled, 119, "up arrow, disabled bar")                                              \
    X(ScrollDownNormal, 120, "vertical bar, second (down) arrow")                                   \
    X(ScrollDownOver, 121, "down arrow, pointer over")                                              \
    X(ScrollDownHeld, 122, "down arrow, held")                                                      \
    X(ScrollDownDisabled, 123, "down arrow, disabled bar")                                          \
    X(ScrollLeftNormal, 124, "horizontal bar, first (left) arrow")                                  \
    X(ScrollLeftOver, 125, "left arrow, pointer over")                                              \
    X(ScrollLeftHeld, 126, "left arrow, held")                                                      \
    X(ScrollLeftDisabled, 127, "left arrow, disabled bar")                                          \
    X(ScrollRightNormal, 128, "horizontal bar, second (right) arrow")                               \
    X(ScrollRightOver, 129, "right arrow, pointer over")                                            \
    X(ScrollRightHeld, 130, "right arrow, held")                                                    \
    X(ScrollRightDisabled, 131, "right arrow, disabled bar")                                        \
    X(ScrollTrackVertical, 132, "vertical track")                                                   \
    X(ScrollTrackVerticalDisabled, 135, "vertical track, disabled bar")                             \
    X(ScrollTrackHorizontal, 136, "horizontal track")                                               \
    X(ScrollTrackHorizontalDisabled, 139, "horizontal track, disabled bar")                         \
    X(ScrollThumbVertical, 140, "vertical thumb")                                                   \
    X(ScrollThumbVerticalOver, 141, "vertical thumb, pointer over")                                 \
    X(ScrollThumbVerticalHeld, 142, "vertical thumb, dragged")                                      \
    X(ScrollThumbHorizontal, 144, "horizontal thumb")                                               \
    X(ScrollThumbHorizontalOver, 145, "horizontal thumb, pointer over")                             \
    X(ScrollThumbHorizontalHeld, 146, "horizontal thumb, dragged")                                  \
    /* column headers; text colour index = part - 118 */                                            \
    X(HeaderItem, 150, "header background and a column, normal")                                    \
    X(HeaderItemOver, 151, "column under the pointer")                                              \
    X(HeaderItemHeld, 152, "column under the pointer, button held")                                 \
    X(HeaderItemDisabled, 153, "every column of a disabled header")                                 \
    /* progress bars: the trough's margins inset the bar */                                         \
    X(ProgressTrough, 154, "horizontal trough")                                                     \
    X(ProgressTroughDisabled, 155, "horizontal trough, disabled")                                   \
    X(ProgressBar, 156, "horizontal bar over the filled share")                                     \
    X(ProgressBarDisabled, 157, "horizontal bar, disabled")                                         \
    X(ProgressTroughVertical, 160, "vertical trough")                                               \
    X(ProgressTroughVerticalDisabled, 161, "vertical trough, disabled")                             \
    X(ProgressBarVertical, 162, "vertical bar, growing upwards")                                    \
    X(ProgressBarVerticalDisabled, 163, "vertical bar, disabled")                                   \
    /* small buttons of combo boxes and up-down controls: a face, and a glyph drawn at its size */ \
    X(SmallButtonNormal, 170, "combo box drop button and up-down button face")                      \
    X(SmallButtonOver, 171, "small button face, pointer over")                                      \
    X(SmallButtonHeld, 172, "small button face, held (a combo box while its list is open)")         \
    X(SmallButtonDisabled, 173, "small button face, disabled")                                      \
    X(GlyphUp, 174, "arrow glyph pointing up, centred on a small button")                           \
    X(GlyphDown, 175, "arrow glyph pointing down (also the combo box's drop arrow)")                \
    X(GlyphLeft, 176, "arrow glyph pointing left")                                                  \
    X(GlyphRight, 177, "arrow glyph pointing right")                                                \
    X(GlyphUpDisabled, 178, "arrow glyph up, disabled")                                             \
    X(GlyphDownDisabled, 179, "arrow glyph down, disabled")                                         \
    X(GlyphLeftDisabled, 180, "arrow glyph left, disabled")                                         \
    X(GlyphRightDisabled, 181, "arrow glyph right, disabled")                                       \
    /* trackbars: the channel along the system's channel, the thumb over the system's thumb */    \
    X(TrackbarChannel, 182, "horizontal trackbar channel")                                          \
    X(TrackbarChannelDisabled, 183, "horizontal channel, disabled")                                 \
    X(TrackbarChannelVertical, 184, "vertical trackbar channel")                                    \
    X(TrackbarChannelVerticalDisabled, 185, "vertical channel, disabled")                           \
    X(TrackbarThumb, 186, "thumb of a horizontal trackbar")                                         \
    X(TrackbarThumbOver, 187, "horizontal thumb, pointer over")                                     \
    X(TrackbarThumbHeld, 188, "horizontal thumb, dragged")                                          \
    X(TrackbarThumbDisabled, 189, "horizontal thumb, disabled")                                     \
    X(TrackbarThumbVertical, 190, "thumb of a vertical trackbar")                                   \
    X(TrackbarThumbVerticalOver, 191, "vertical thumb, pointer over")                               \
    X(TrackbarThumbVerticalHeld, 192, "vertical thumb, dragged")                                    \
    X(TrackbarThumbVerticalDisabled, 193, "vertical thumb, disabled")                               \
    /* status bars: the bar, the line between two of its parts, the size grip */                  \
    X(StatusBarBackground, 210, "status bar across the window's bottom")                            \
    X(StatusBarDivider, 211, "line at the right end of each part but the last")                     \
    X(StatusBarGrip, 212, "size grip in the bar's bottom-right corner")                             \
    /* tab controls: tabs above the pane (and mirrored below it), the pane's frame */               \
    X(TabItem, 213, "tab, not selected")                                                            \
    X(TabItemOver, 214, "tab under the pointer")                                                    \
    X(TabItemSelected, 215, "the selected tab, open towards the pane")                              \
    X(TabItemDisabled, 216, "tab of a disabled control")                                            \
    X(TabItemBottom, 217, "tab below the pane, not selected")                                       \
    X(TabItemBottomOver, 218, "tab below the pane under the pointer")                               \
    X(TabItemBottomSelected, 219, "the selected tab below the pane")                                \
    X(TabItemBottomDisabled, 220, "tab below the pane, disabled control")                           \
    X(TabPane, 221, "frame of the pane the tabs switch; the inside is keyed")                       \
    X(TabPaneDisabled, 222, "frame of the pane, disabled control")                                  \
    /* toolbars: the band, a button's face by state (idle buttons lie on the band), separators */  \
    X(ToolbarBackground, 223, "toolbar band")                                                       \
    X(ToolButtonOver, 224, "button under the pointer")                                              \
    X(ToolButtonHeld, 225, "button held down")                                                      \
    X(ToolButtonChecked, 226, "checked button")                                                     \
    X(ToolButtonCheckedOver, 227, "checked button under the pointer")                               \
    X(ToolbarSeparator, 228, "separator between groups of buttons")                                 \
    X(ToolbarDropArrow, 229, "arrow of a button that drops a menu down")                            \
    X(ToolbarDropArrowDisabled, 230, "arrow of a disabled drop-down button")                        \
    /* date-time pickers: the button that drops the calendar down, its glyph */                    \
    X(DateDropButton, 231, "drop-down button of a date-time picker")                                \
    X(DateDropButtonOver, 232, "drop-down button under the pointer")                                \
    X(DateDropButtonHeld, 233, "drop-down button held, or while the calendar is down")              \
    X(DateDropButtonDisabled, 234, "drop-down button of a disabled picker")                         \
    X(DateDropGlyph, 235, "calendar glyph centred on the drop-down button")                         \
    X(DateDropGlyphDisabled, 236, "calendar glyph, disabled picker")                                \
    /* control bars and rebars: the rebar behind its bands, a band's face, the grippers of a        \
       horizontal and a vertical bar, the lines between bands and between rows; a framework         \
       control bar's face and its border; a band window's face and border */                        \
    X(RebarBackground, 240, "rebar, behind its bands")                                              \
    X(RebarBand, 241, "face of a rebar band")                                                       \
    X(BarGripper, 242, "gripper at the left of a horizontal bar or band: dots in a column")         \
    X(BarGripperVertical, 243, "gripper at the top of a vertical bar or band: dots in a row")       \
    X(RebarBandBorder, 244, "line at the right end of a band (band borders)")                       \
    X(RebarRowLine, 245, "line between two rows of bands")                                          \
    X(ControlBarBackground, 246, "face of a framework control bar")                                 \
    X(ControlBarBorder, 247, "border of a framework control bar; the inside is keyed")              \
    X(TravelBandBackground, 248, "band window: face and border")                                    \
    X(TravelBandBackgroundDisabled, 249, "band window, disabled")                                   \
    X(RebarChevron, 250, "chevron of a band too short for its child, centred on its button")        \
    /* the window background: its area becomes the background brush */                             \
    X(WindowBackground, 271, "background of windows and controls")                                  \
    /* menu bars of framed windows, and the workspace of frame and MDI clients */                  \
    X(MenuBarBackground, 272, "menu bar below the title bar, across all its rows")                  \
    X(MenuBarItemHot, 273, "menu bar item under the pointer or chosen by the keyboard")             \
    X(MenuBarItemOpen, 274, "menu bar item whose drop-down menu is open")                           \
    X(WorkspaceBackground, 275, "workspace of a frame client or MDI client, behind its children")

// Metrics (0-24): sizes in pixels.
#define QIVYUN_SKIN_METRICS(X)                                                                      \
    X(TitleBarHeight, 0, "height of the title bar of framed windows and dialogs")                   \
    X(FrameSideWidth, 1, "width of the left and right frame edges")                                 \
    X(FrameBottomHeight, 2, "height of the bottom frame edge")                                      \
    X(CaptionButtonWidth, 3, "width of a caption button")                                           \
    X(CaptionButtonHeight, 4, "height of a caption button")                                         \
    X(MenuItemHeight, 5, "height of a menu item")                                                   \
    X(MenuSeparatorHeight, 6, "height of a separator item")                                         \
    X(MenuTextIndent, 7, "space left of a menu item's text, where the check mark goes")             \
    X(HorizontalBarHeight, 14, "thickness of a horizontal scroll bar")                              \
    X(HorizontalArrowWidth, 15, "length of a horizontal bar's arrows")                              \
    X(HorizontalThumbMinimum, 16, "shortest horizontal thumb")                                      \
    X(VerticalBarWidth, 17, "thickness of a vertical scroll bar")                                   \
    X(VerticalArrowHeight, 18, "length of a vertical bar's arrows")                                 \
    X(VerticalThumbMinimum, 19, "shortest vertical thumb; also the thumb of an empty range")        \
    X(MenuBarHeight, 24, "height of a row of a framed window's menu bar")

// Colours (0-63), COLORREF values.
#define QIVYUN_SKIN_COLOURS(X)                                                                      \
    X(CheckBoxText, 0, "check box text")                                                            \
    X(TrackbarTick, 1, "tick marks of trackbars")                                                   \
    X(TrackbarTickDisabled, 2, "tick marks of a disabled trackbar")                                 \
    X(RebarText, 3, "label of a rebar band")                                                        \
    X(CheckBoxTextDisabled, 4, "check box text, disabled")                                          \
    X(PushButtonText, 5, "push button text")                                                        \
    X(RebarTextDisabled, 6, "label of a band of a disabled rebar")                                  \
    X(PushButtonTextDisabled, 9, "push button text, disabled")                                      \
    X(RadioText, 10, "radio button text")                                                           \
    X(RadioTextDisabled, 14, "radio button text, disabled")                                         \
    X(BorderPen, 15, "border line of edit boxes and lists")                                         \
    X(BorderFill, 16, "inner border of edit boxes and lists")                                       \
    X(BorderPenFocused, 19, "border line with the keyboard focus")                                  \
    X(BorderFillFocused, 20, "inner border with the keyboard focus")                                \
    X(BorderPenDisabled, 21, "border line, disabled")                                               \
    X(BorderFillDisabled, 22, "inner border, disabled")                                             \
    X(GroupBoxCaptionText, 28, "group box caption")                                                 \
    X(GroupBoxCaptionTextDisabled, 29, "group box caption, disabled")                               \
    X(HeaderText, 32, "header column text")                                                         \
    X(HeaderTextOver, 33, "header column text under the pointer")                                   \
    X(HeaderTextHeld, 34, "header column text, button held")                                        \
    X(HeaderTextDisabled, 35, "header column text, disabled")                                       \
    X(MenuText, 40, "menu item text (black menu text is drawn in this colour)")                     \
    X(MenuTextHighlighted, 41, "text of the highlighted menu item")                                 \
    X(MenuTextDisabled, 42, "text of a disabled menu item")                                         \
    X(TitleTextActive, 44, "window title, active window")                                           \
    X(TitleTextInactive, 45, "window title, inactive window")                                       \
    X(CalendarTextDisabled, 48, "month calendar: day numbers, disabled")                            \
    X(CalendarTitleDisabled, 49, "month calendar: title band, disabled")                            \
    X(CalendarTrailingText, 50, "month calendar: days of the months before and after")              \
    X(CalendarTitleText, 51, "month calendar: month and year on the title band")                    \
    X(CalendarTitle, 52, "month calendar: title band; also the selected day")                      \
    X(CalendarText, 53, "month calendar: day numbers and day names")                                \
    X(CalendarMonthBackground, 54, "month calendar: behind the days of a month")                    \
    X(CalendarBackground, 55, "month calendar: around and between the months")                      \
    X(ToolbarTextDisabled, 56, "toolbar button text, disabled")                                     \
    X(ToolbarText, 57, "toolbar button text")                                                       \
    X(TabTextDisabled, 58, "tab text of a disabled control")                                        \
    X(TabTextSelected, 59, "text of the selected tab")                                              \
    X(TabText, 60, "tab text")                                                                      \
    X(StaticText, 61, "static text on a group box; black text of owner-drawn buttons")              \
    X(StaticTextDisabled, 62, "the same, disabled")                                                 \
    X(StatusBarText, 63, "status bar text")

// Pairs (0-14): offsets; a negative x counts from the window's right edge.
#define QIVYUN_SKIN_PAIRS(X)                                                                        \
    X(CloseButtonPosition, 0, "top-left corner of the close button in the title bar")              \
    X(MaximiseButtonPosition, 1, "top-left corner of the maximise or restore button")               \
    X(MinimiseButtonPosition, 2, "top-left corner of the minimise button")                          \
    X(TitleIconPosition, 3, "top-left corner of the window's small icon")                           \
    X(TitleTextPosition, 4, "left end and vertical shift of the title text")                        \
    X(PushButtonPressedShift, 14, "how far the text of a held push button moves")

// Font slots (0-12); an empty slot falls back as the comment says.
#define QIVYUN_SKIN_FONT_SLOTS(X)                                                                   \
    X(CaptionFont, 0, "window titles; empty: the system caption font")                              \
    X(CaptionFontAlternate, 1, "empty: slot 0")                                                     \
    X(MenuFont, 2, "menu items; empty: the system menu font")                                       \
    X(MenuFontAlternate, 3, "empty: slot 2")                                                        \
    X(PushButtonFont, 4, "push buttons; empty: the control's own font")                             \
    X(CheckBoxFont, 5, "check boxes; empty: the control's own font")                                \
    X(RadioFont, 6, "radio buttons; empty: the control's own font")                                 \
    X(GroupBoxFont, 7, "group box captions; empty: the control's own font")                         \
    X(StatusFont, 9, "status bars; empty: the system status font")                                  \
    X(HeaderFont, 10, "column headers; empty: the control's own font")                              \
    X(ToolbarFont, 11, "toolbar buttons; empty: the control's own font")                            \
    X(TabFont, 12, "tabs; empty: the control's own font")

#define QIVYUN_SKIN_ENUMERATOR(name, index, what) name = index,
enum class SkinPart : int { QIVYUN_SKIN_PARTS(QIVYUN_SKIN_ENUMERATOR) };
enum class SkinMetric : int { QIVYUN_SKIN_METRICS(QIVYUN_SKIN_ENUMERATOR) };
enum class SkinColour : int { QIVYUN_SKIN_COLOURS(QIVYUN_SKIN_ENUMERATOR) };
enum class SkinPair : int { QIVYUN_SKIN_PAIRS(QIVYUN_SKIN_ENUMERATOR) };
enum class SkinFontSlot : int { QIVYUN_SKIN_FONT_SLOTS(QIVYUN_SKIN_ENUMERATOR) };
#undef QIVYUN_SKIN_ENUMERATOR

// One named index of a table.
struct SkinName {
    std::string_view name;
    int index;
    std::string_view what;
};

#define QIVYUN_SKIN_NAME(name, index, what) SkinName{#name, index, what},
inline constexpr SkinName SkinPartNames[] = {QIVYUN_SKIN_PARTS(QIVYUN_SKIN_NAME)};
inline constexpr SkinName SkinMetricNames[] = {QIVYUN_SKIN_METRICS(QIVYUN_SKIN_NAME)};
inline constexpr SkinName SkinColourNames[] = {QIVYUN_SKIN_COLOURS(QIVYUN_SKIN_NAME)};
inline constexpr SkinName SkinPairNames[] = {QIVYUN_SKIN_PAIRS(QIVYUN_SKIN_NAME)};
inline constexpr SkinName SkinFontSlotNames[] = {QIVYUN_SKIN_FONT_SLOTS(QIVYUN_SKIN_NAME)};
#undef QIVYUN_SKIN_NAME

// The index of a name in one of the lists above.
template <size_t N>
constexpr std::optional<int> IndexOfName(const SkinName (&names)[N], std::string_view name) {
    for (const SkinName& entry : names)
        if (entry.name == name) return entry.index;
    return std::nullopt;
}

// The name of an index, or an empty view.
template <size_t N>
constexpr std::string_view NameOfIndex(const SkinName (&names)[N], int index) {
    for (const SkinName& entry : names)
        if (entry.index == index) return entry.name;
    return {};
}

// Every index lies inside its table and names one entry only.
template <size_t N>
constexpr bool IndicesFit(const SkinName (&names)[N], uint32_t capacity) {
    for (size_t i = 0; i < N; ++i) {
        if (names[i].index < 0 || uint32_t(names[i].index) >= capacity) return false;
        for (size_t j = 0; j < i; ++j)
            if (names[j].index == names[i].index) return false;
    }
    return true;
}
static_assert(IndicesFit(SkinMetricNames, TableCapacity[0]));
static_assert(IndicesFit(SkinColourNames, TableCapacity[1]));
static_assert(IndicesFit(SkinPairNames, TableCapacity[2]));
static_assert(IndicesFit(SkinPartNames, TableCapacity[4]));
static_assert(IndicesFit(SkinFontSlotNames, TableCapacity[5]));

constexpr int Index(SkinPart part) { return static_cast<int>(part); }
constexpr int Index(SkinMetric metric) { return static_cast<int>(metric); }
constexpr int Index(SkinColour colour) { return static_cast<int>(colour); }
constexpr int Index(SkinPair pair) { return static_cast<int>(pair); }
constexpr int Index(SkinFontSlot slot) { return static_cast<int>(slot); }

}  // namespace qivyun::skin
