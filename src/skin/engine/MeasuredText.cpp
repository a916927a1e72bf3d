#include "skin/engine/MeasuredText.h"

namespace qivyun::skin {

RECT MeasuredText::Measure(HDC dc, std::wstring_view text, UINT format, const RECT& bounds) {
    const auto font = static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT));
    if (known_ && text == text_ && font == font_ && format == format_ && EqualRect(&bounds, &bounds_))
        return measured_;
    RECT measured = bounds;
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &measured, format | DT_CALCRECT);
    text_.assign(text);
    font_ = font;
    format_ = format;
    bounds_ = bounds;
    measured_ = measured;
    known_ = true;
    return measured;
}

}  // namespace qivyun::skin
