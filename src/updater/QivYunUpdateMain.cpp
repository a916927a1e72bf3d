#include "updater/UpdaterApp.h"

namespace {
qivyun::UpdaterApp app;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return app.Run(); }
