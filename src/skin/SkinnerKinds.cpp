#include "skin/SkinnerKinds.h"

#include <new>

namespace qivyun::skin {
namespace {

template <typename Kind>
WindowSkinner* Make() {
    return new (std::nothrow) Kind();
}

struct Kind {
    SkinType type;
    WindowSkinner* (*create)();
};

// Types share a kind where the skin draws them alike.
constexpr Kind kinds[] = {
    {0, nullptr},
};

}  // namespace

WindowSkinner* CreateSkinnerOfKind(SkinType type) {
    for (const Kind& kind : kinds) {
        if (kind.type == type && kind.create) return kind.create();
    }
    return nullptr;
}

}  // namespace qivyun::skin
