#include "gallery/GalleryApp.h"

namespace {
qivyun::gallery::GalleryApp app;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return app.Run(); }
