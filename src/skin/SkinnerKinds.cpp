#include "skin/SkinnerKinds.h"

#include "skin/BorderSkinner.h"

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
    {1001, &Make<BorderSkinner>},  // animation
    {1010, &Make<BorderSkinner>},  // hot key
    {1011, &Make<BorderSkinner>},  // IP address
};

}  // namespace

WindowSkinner* CreateSkinnerOfKind(SkinType type) {
    for (const Kind& kind : kinds) {
        if (kind.type == type) return kind.create();
    }
    return nullptr;
}

}  // namespace qivyun::skin
