#pragma once
// The texts of the start-up check: the status line in its three forms and the update notice.
#include <string>
#include <string_view>

namespace qivyun {

// The counter texts arrive as at most 100 bytes of a body; every CR LF pair is dropped.
std::string RemoveCrLfPairs(std::string_view text);

std::string StartupFailureLine(std::string_view upperCaseDigest);
std::string StartupSuccessLine(std::string_view upperCaseDigest, std::string_view accumulative,
                               std::string_view usageCounter);
// The status line after a manifest that did not pass its check (unsigned, badly signed or older).
inline constexpr char UnverifiedManifestLine[] = "更新信息无法验证";
std::string UpdateNoticeText(std::string_view manifestDigest);

}  // namespace qivyun
