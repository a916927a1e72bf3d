#include "CodePagePicture.h"

#include "WindowCapture.h"

#include <algorithm>
#include <optional>

namespace qivyun::test {
namespace {

std::string PathOf(const std::string& name, UINT codePage) {
    return ScreensFolder() + "/code-pages/" + name + "-" + std::to_string(codePage) + ".png";
}

}  // namespace

testing::AssertionResult SameAsUnder936(const DibCanvas& picture, const std::string& name) {
    if (!SavePng(picture, PathOf(name, GetACP()))) return testing::AssertionFailure() << "cannot write " << PathOf(name, GetACP());
    if (GetACP() == 936) return testing::AssertionSuccess();
    const std::optional<Picture> reference = LoadPng(PathOf(name, 936));
    if (!reference) return testing::AssertionFailure() << "no picture taken under 936 in " << PathOf(name, 936);
    if (reference->width != picture.Width() || reference->height != picture.Height())
        return testing::AssertionFailure() << "the picture under 936 is " << reference->width << " x " << reference->height;
    int differing = 0;
    RECT where{picture.Width(), picture.Height(), 0, 0};
    for (int y = 0; y < picture.Height(); ++y)
        for (int x = 0; x < picture.Width(); ++x)
            if ((picture.Pixels()[y * picture.Width() + x] & 0xFFFFFF) != reference->pixels[y * reference->width + x]) {
                ++differing;
                where = {std::min<LONG>(where.left, x), std::min<LONG>(where.top, y), std::max<LONG>(where.right, x + 1),
                         std::max<LONG>(where.bottom, y + 1)};
            }
    if (differing == 0) return testing::AssertionSuccess();
    return testing::AssertionFailure() << differing << " pixels differ from the picture under 936, within (" << where.left
                                       << ", " << where.top << ") - (" << where.right << ", " << where.bottom << ")";
}

}  // namespace qivyun::test
