#pragma once
// The base of the skinner kinds: a window skinner that keeps what it was handed when it was made,
// the loaded skin and the engine's services.
#include "skin/engine/SkinnerServices.h"
#include "skin/engine/WindowSkinner.h"

namespace qivyun::skin {

class KindSkinner : public WindowSkinner {
public:
    explicit KindSkinner(const SkinnerContext& context) : skin_(context.skin), engine_(context.engine) {}

protected:
    // The skin while one is loaded, else nothing: a kind draws only from a loaded skin.
    const SkinData* LoadedSkin() const { return skin_.Loaded() ? &skin_ : nullptr; }
    // The skin as it stands, for the parts of a kind that work on a window only while it is skinned.
    const SkinData& Skin() const { return skin_; }
    SkinnerServices& Engine() const { return engine_; }

private:
    const SkinData& skin_;
    SkinnerServices& engine_;
};

}  // namespace qivyun::skin
