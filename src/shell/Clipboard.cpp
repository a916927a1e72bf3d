#include "shell/Clipboard.h"

#include "common/CodePage.h"

#include <windows.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace qivyun {

// The two diagnostics go to the standard output, which the program's users never see.
void CopyTextToClipboard(std::string_view gbkText) {
    bool opened = OpenClipboard(nullptr) != FALSE;
    if (!opened || !EmptyClipboard()) {
        std::printf("打开或清空剪切板出错！/n");
        if (opened) CloseClipboard();
        return;
    }
    // Up to the first zero, as a zero-terminated text would end.
    const std::wstring text = WideFromGbk(gbkText.substr(0, gbkText.find('\0')));
    const size_t size = (text.size() + 1) * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, size);
    if (!block) {
        std::printf("分配全局内存出错！/n");
        CloseClipboard();
        return;
    }
    auto* copy = static_cast<wchar_t*>(GlobalLock(block));
    std::memcpy(copy, text.c_str(), size);
    GlobalUnlock(block);
    // From here on the clipboard owns the block.
    if (!SetClipboardData(CF_UNICODETEXT, block)) GlobalFree(block);
    CloseClipboard();
}

}  // namespace qivyun
