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

#include <new>

namespace qivyun::skin {
namespace {

// A failed allocation leaves the window unskinned.
template <typename Skinner>
WindowSkinner* Make() {
    return new (std::nothrow) Skinner();
}

struct Kind {
    SkinType type;
    WindowSkinner* (*create)();
};

// Types share a kind where the skin draws them alike. Types without a line have no kind yet.
constexpr Kind kinds[] = {
    {1001, &Make<BorderSkinner>},           // animation
    {1002, &Make<CheckBoxSkinner>},
    {1007, &Make<ScrollableSkinner>},       // edit
    {1008, &Make<GroupBoxSkinner>},
    {1009, &Make<HeaderSkinner>},
    {1010, &Make<BorderSkinner>},           // hot key
    {1011, &Make<BorderSkinner>},           // IP address
    {1013, &Make<ScrollableSkinner>},       // list box
    {1014, &Make<ScrollableSkinner>},       // list view
    {1016, &Make<PopupMenuSkinner>},
    {1019, &Make<ProgressSkinner>},
    {1020, &Make<PushButtonSkinner>},
    {1021, &Make<RadioButtonSkinner>},
    {1023, &Make<ScrollableSkinner>},       // rich edit
    {1025, &Make<ScrollableSkinner>},       // a scrollable control by the host's choice
    {1032, &Make<ScrollableSkinner>},       // tree view
    {1034, &Make<DialogSkinner>},           // dialogs, and windows of other classes with a caption
    {1036, &Make<OwnerDrawButtonSkinner>},  // buffered painting of owner-drawn buttons
};

}  // namespace

WindowSkinner* CreateSkinnerOfKind(SkinType type) {
    for (const Kind& kind : kinds) {
        if (kind.type == type) return kind.create();
    }
    return nullptr;
}

}  // namespace qivyun::skin
