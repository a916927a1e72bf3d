#include "updater/UpdateRequest.h"

#include <windows.h>

namespace qivyun {

void RequestDownload(UpdateRequest& request, const std::string& url, const std::string& target) {
    request.downloadUrl = url;
    request.downloadTarget = target;
    request.startRequested = 1;
    while (request.downloadDone.load() != 1) Sleep(10);
    request.downloadDone = 0;
}

std::string FileNameOfPath(const std::string& path, bool keepExtension) {
    auto cut = path.rfind('\\');
    if (cut == std::string::npos) cut = path.rfind('/');
    std::string name = cut == std::string::npos ? path : path.substr(cut + 1);
    if (!keepExtension) {
        const auto dot = name.rfind('.');
        if (dot != std::string::npos) name.erase(dot);
    }
    return name;
}

}  // namespace qivyun
