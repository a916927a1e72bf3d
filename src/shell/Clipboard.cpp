#include "shell/Clipboard.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

namespace qivyun {

// The two diagnostics go to the standard output, which the program's users never see.
void CopyTextToClipboard(const char* text) {
    bool opened = OpenClipboard(nullptr) != FALSE;
    if (!opened || !EmptyClipboard()) {
        std::printf("打开或清空剪切板出错！/n");
        if (opened) CloseClipboard();
        return;
    }
    size_t length = std::strlen(text);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, length + 1);
    if (!block) {
        std::printf("分配全局内存出错！/n");
        CloseClipboard();
        return;
    }
    auto* copy = static_cast<char*>(GlobalLock(block));
    std::memcpy(copy, text, length + 1);
    GlobalUnlock(block);
    // From here on the clipboard owns the block.
    if (!SetClipboardData(CF_TEXT, block)) GlobalFree(block);
    CloseClipboard();
}

}  // namespace qivyun
