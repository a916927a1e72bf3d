#pragma once
// Puts a zero-terminated 8-bit text on the clipboard as plain text.
namespace qivyun {

void CopyTextToClipboard(const char* text);

}  // namespace qivyun
