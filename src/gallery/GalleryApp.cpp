#include "gallery/GalleryApp.h"

#include "common/CodePage.h"
#include "gallery/GalleryDialog.h"
#include "gallery/SkinChoice.h"
#include "skin/SkinEngine.h"

#include <shellapi.h>

#include <string>
#include <vector>

namespace qivyun::gallery {
namespace {

std::vector<std::string> Arguments() {
    int count = 0;
    LPWSTR* words = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::string> arguments;
    for (int i = 1; i < count; ++i) arguments.push_back(Utf8FromWide(words[i]));
    LocalFree(words);
    return arguments;
}

}  // namespace

bool GalleryApp::InitInstance() {
    skin::AttachSkinEngine(ModuleInstance());
    GalleryDialog dialog(ChooseSkin(Arguments()));
    mainWindow_ = &dialog;
    dialog.DoModal();
    mainWindow_ = nullptr;
    return false;
}

}  // namespace qivyun::gallery
