#include "skin/engine/SkinnerText.h"

#include "common/CodePage.h"

#include <algorithm>

namespace qivyun::skin {

std::wstring WindowText(HWND window) {
    // The length the system gives may exceed the text, never fall short of it.
    std::wstring text(size_t(std::max(0, GetWindowTextLengthW(window))) + 1, L'\0');
    text.resize(size_t(std::max(0, GetWindowTextW(window, text.data(), static_cast<int>(text.size())))));
    return text;
}

std::string ClassNameOf(HWND window) {
    wchar_t name[257] = {};  // a class name holds at most 256 characters
    const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
    return GbkFromWide(std::wstring_view(name, size_t(std::max(0, length))));
}

}  // namespace qivyun::skin
