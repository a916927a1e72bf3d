#include "updater/DownloadProgress.h"

#include <cstdio>

namespace qivyun {

std::uint32_t ElapsedTenths(std::uint32_t nowTick, std::uint32_t startTick) { return (nowTick - startTick) / 100; }

ProgressFigures ComputeProgress(std::uint32_t elapsedTenths, std::int64_t totalSize, std::int32_t permilleSum,
                                std::int64_t receivedSum, const std::string& downloadName) {
    ProgressFigures figures;
    figures.position = permilleSum;
    figures.percentText = std::to_string(std::int64_t{permilleSum} * 100 / ProgressRange) + "%";
    const std::int64_t total = totalSize / 1024;
    const std::string totalText = std::to_string(total) + "  Kbit";
    const std::int64_t received = receivedSum / 1024;
    figures.amountText = std::to_string(received) + "/" + totalText;
    // received units per second
    const double speed =
        elapsedTenths == 0 ? 0.0 : static_cast<double>(received) / static_cast<double>(elapsedTenths) * 10;
    char speedText[64];
    std::snprintf(speedText, sizeof speedText, "%.2f", speed);
    figures.speedText = speedText;
    figures.speedLine = "下载速度: " + figures.speedText + " Kbps/秒" + std::string(34, ' ') + figures.amountText;
    figures.statusLine = "正在更新 " + downloadName + " 请稍后.........." + figures.percentText;
    figures.reachedTotal = received >= total;
    return figures;
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

std::string FinishedStatusLine(const std::string& downloadName, const std::string& percentText, bool complete) {
    return downloadName + " 更新完成......" + (complete ? std::string("100%") : percentText);
}

}  // namespace qivyun
