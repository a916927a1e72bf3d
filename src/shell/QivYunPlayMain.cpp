#include "shell/PlayerApp.h"

namespace {
qivyun::PlayerApp app;
}

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int) { return app.Run(); }
