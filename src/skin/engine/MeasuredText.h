#pragma once
// A text's size as DrawText measures it, kept while the text, the font selected into the DC, the
// format and the width it breaks in stay the same: a caption is measured on every paint and mostly
// is what it was.
#include <windows.h>

#include <string>
#include <string_view>

namespace qivyun::skin {

class MeasuredText {
public:
    // The rectangle DrawText with DT_CALCRECT makes of `bounds` for the text in dc's font and the
    // format (its DT_CALCRECT added).
    RECT Measure(HDC dc, std::wstring_view text, UINT format, const RECT& bounds);

private:
    std::wstring text_;
    HFONT font_ = nullptr;
    UINT format_ = 0;
    RECT bounds_{};
    RECT measured_{};
    bool known_ = false;
};

}  // namespace qivyun::skin
