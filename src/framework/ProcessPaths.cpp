#include "framework/ProcessPaths.h"

#include "common/CodePage.h"

#include <windows.h>

namespace qivyun {

std::string ModulePath() {
    // A path longer than the buffer comes back cut to its size: the buffer grows until it holds it.
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return {};
        if (length < path.size()) return Utf8FromWide(std::wstring_view(path.data(), length));
        path.resize(path.size() * 2);
    }
}

std::string CurrentFolder() {
    const DWORD needed = GetCurrentDirectoryW(0, nullptr);
    if (needed == 0) return {};
    std::wstring folder(needed, L'\0');
    const DWORD length = GetCurrentDirectoryW(needed, folder.data());
    return length < needed ? Utf8FromWide(std::wstring_view(folder.data(), length)) : std::string();
}

}  // namespace qivyun
