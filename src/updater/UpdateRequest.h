#pragma once
// The download request block: how the update worker asks the window for a download and learns
// that it has ended. Each flag has one writer for 1 and one for 0; the texts change only while no
// download runs.
#include <atomic>
#include <string>

namespace qivyun {

struct UpdateRequest {
    std::string downloadUrl;
    std::string downloadTarget;
    std::string downloadName;
    std::atomic<int> startRequested{0};
    std::atomic<int> downloadDone{0};
    std::atomic<int> upToDate{0};
};

// Worker side: asks for the download, then waits until the window reports it done.
void RequestDownload(UpdateRequest& request, const std::string& url, const std::string& target);

// The text after the last backslash (or slash), or the whole text; without the part from the last
// dot on when keepExtension is false.
std::string FileNameOfPath(const std::string& path, bool keepExtension);

}  // namespace qivyun
