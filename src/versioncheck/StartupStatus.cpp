#include "versioncheck/StartupStatus.h"

#include "versioncheck/Md5.h"

namespace qivyun {

std::string RemoveCrLfPairs(std::string_view text) {
    std::string kept;
    kept.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            ++i;
            continue;
        }
        kept.push_back(text[i]);
    }
    return kept;
}

std::string StartupFailureLine(std::string_view upperCaseDigest) {
    return "   连接到远程服务器失败     版本MD5: " + std::string(upperCaseDigest) +
           "     累计点播次数:未能获取     This online: 未能获取";
}

std::string StartupSuccessLine(std::string_view upperCaseDigest, std::string_view accumulative,
                               std::string_view usageCounter) {
    return "   连接到远程服务器成功      版本Md5: " + std::string(upperCaseDigest) + "     Accumulative: " +
           RemoveCrLfPairs(accumulative) + "     Usage counter: " + RemoveCrLfPairs(usageCounter);
}

std::string UpdateNoticeText(std::string_view manifestDigest) {
    return "有新版本需要更新！ 版本MD5值:" + UpperCaseDigest(manifestDigest);
}

}  // namespace qivyun
