#include "skin/SkinnerKinds.h"

#include "skin/BorderSkinner.h"
#include "skin/ScrollableSkinner.h"

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
    {1001, &Make<BorderSkinner>},      // animation
    {1007, &Make<ScrollableSkinner>},  // edit
    {1010, &Make<BorderSkinner>},      // hot key
    {1011, &Make<BorderSkinner>},      // IP address
    {1013, &Make<ScrollableSkinner>},  // list box
    {1014, &Make<ScrollableSkinner>},  // list view
    {1023, &Make<ScrollableSkinner>},  // rich edit
    {1025, &Make<ScrollableSkinner>},  // a scrollable control by the host's choice
    {1032, &Make<ScrollableSkinner>},  // tree view
};

}  // namespace

WindowSkinner* CreateSkinnerOfKind(SkinType type) {
    for (const Kind& kind : kinds) {
        if (kind.type == type) return kind.create();
    }
    return nullptr;
}

}  // namespace qivyun::skin
