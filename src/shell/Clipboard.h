#pragma once
// Puts a GBK text on the clipboard as Unicode text; the system makes the 8-bit forms that older
// programs read, each in its reader's code page.
#include <string_view>

namespace qivyun {

void CopyTextToClipboard(std::string_view gbkText);

}  // namespace qivyun
