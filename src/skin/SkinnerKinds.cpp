#include "skin/SkinnerKinds.h"

#include "skin/kinds/BorderSkinner.h"
#include "skin/kinds/CheckBoxSkinner.h"
#include "skin/kinds/DialogSkinner.h"
#include "skin/kinds/GroupBoxSkinner.h"
#include "skin/kinds/HeaderSkinner.h"
#include "skin/kinds/OwnerDrawButtonSkinner.h"
#include "skin/kinds/PopupMenuSkinner.h"
#include "skin/kinds/ProgressSkinner.h"
#include "skin/kinds/PushButtonSkinner.h"
#include "skin/kinds/RadioButtonSkinner.h"
#include "skin/kinds/ScrollableSkinner.h"
// The common controls: combo boxes, scroll-bar controls, up-down controls, trackbars.
#include "skin/kinds/ComboBoxSkinner.h"
#include "skin/kinds/ScrollBarSkinner.h"
#include "skin/kinds/TrackbarSkinner.h"
#include "skin/kinds/UpDownSkinner.h"
// status bars, tab controls, toolbars, date-time pickers, month calendars
#include "skin/kinds/DateTimePickerSkinner.h"
#include "skin/kinds/MonthCalendarSkinner.h"
#include "skin/kinds/StatusBarSkinner.h"
#include "skin/kinds/TabControlSkinner.h"
#include "skin/kinds/ToolbarSkinner.h"
// framework-style frames: the frame client, the child panel (the framework frame is a dialog's)
#include "skin/kinds/ChildPanelSkinner.h"
#include "skin/kinds/FrameClientSkinner.h"
// rebars and framework control bars, band windows, framed windows fitted to their control bar
#include "skin/kinds/BandSkinner.h"
#include "skin/kinds/ControlBarFrameSkinner.h"
#include "skin/kinds/ControlBarSkinner.h"

#include <new>

namespace qivyun::skin {
namespace {

// A failed allocation leaves the window unskinned.
template <typename Skinner>
WindowSkinner* Make(const SkinnerContext& context) {
    return new (std::nothrow) Skinner(context);
}

struct KindMaker {
    SkinKind kind;
    WindowSkinner* (*make)(const SkinnerContext&);
};

// The kinds that have a skinner; the others leave their windows as the system draws them.
constexpr KindMaker kinds[] = {
    {SkinKind::BorderOnly, &Make<BorderSkinner>},
    {SkinKind::CheckBox, &Make<CheckBoxSkinner>},
    {SkinKind::Scrollable, &Make<ScrollableSkinner>},
    {SkinKind::GroupBox, &Make<GroupBoxSkinner>},
    {SkinKind::Header, &Make<HeaderSkinner>},
    {SkinKind::PopupMenu, &Make<PopupMenuSkinner>},
    {SkinKind::ProgressBar, &Make<ProgressSkinner>},
    {SkinKind::PushButton, &Make<PushButtonSkinner>},
    {SkinKind::RadioButton, &Make<RadioButtonSkinner>},
    {SkinKind::Dialog, &Make<DialogSkinner>},
    {SkinKind::OwnerDrawButton, &Make<OwnerDrawButtonSkinner>},
    // A combo box's drop-down list is the system's list box, drawn as every list box is.
    {SkinKind::ComboBox, &Make<ComboBoxSkinner>},
    {SkinKind::ComboDropDown, &Make<ScrollableSkinner>},
    {SkinKind::ScrollBar, &Make<ScrollBarSkinner>},
    {SkinKind::UpDown, &Make<UpDownSkinner>},
    {SkinKind::Trackbar, &Make<TrackbarSkinner>},
    {SkinKind::StatusBar, &Make<StatusBarSkinner>},
    {SkinKind::TabControl, &Make<TabControlSkinner>},
    {SkinKind::Toolbar, &Make<ToolbarSkinner>},
    {SkinKind::DateTimePicker, &Make<DateTimePickerSkinner>},
    {SkinKind::MonthCalendar, &Make<MonthCalendarSkinner>},
    // Framework-style windows: a framework frame is framed as a dialog is, menu bar and all.
    {SkinKind::FrameClient, &Make<FrameClientSkinner>},
    {SkinKind::AfxFrame, &Make<DialogSkinner>},
    {SkinKind::ChildPanel, &Make<ChildPanelSkinner>},
    // Rebars and framework control bars, band windows, framed windows fitted to their control bar.
    {SkinKind::ControlBar, &Make<ControlBarSkinner>},
    {SkinKind::Band, &Make<BandSkinner>},
    {SkinKind::ControlBarFrame, &Make<ControlBarFrameSkinner>},
};

}  // namespace

WindowSkinner* CreateSkinnerOfKind(SkinType type, const SkinnerContext& context) {
    const SkinKind kind = KindOfType(type);
    for (const KindMaker& maker : kinds) {
        if (maker.kind == kind) return maker.make(context);
    }
    return nullptr;
}

}  // namespace qivyun::skin
