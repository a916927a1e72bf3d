#pragma once
// QivYunSkinGallery's start-up: the skin engine attached, the common controls registered, and the
// gallery window run until it is closed.
#include "framework/Application.h"

namespace qivyun::gallery {

class GalleryApp : public Application {
protected:
    bool InitInstance() override;
};

}  // namespace qivyun::gallery
