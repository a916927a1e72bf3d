#include "CodePagePictures.h"

#include "../support/WindowCapture.h"

#include <cstdlib>
#include <fstream>
#include <optional>
#include <string>

namespace qivyun::skin::test {
namespace {

constexpr UINT ReferenceCodePage = 936;

std::string ReferencePath(const std::string& name) {
    CreateDirectoryA(QIVYUN_CODE_PAGE_PICTURES, nullptr);
    return std::string(QIVYUN_CODE_PAGE_PICTURES) + "/" + name + ".pixels";
}

bool Save(const Picture& picture, const std::string& path) {
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(&picture.width), sizeof picture.width);
    file.write(reinterpret_cast<const char*>(&picture.height), sizeof picture.height);
    file.write(reinterpret_cast<const char*>(picture.pixels.data()),
               std::streamsize(picture.pixels.size() * sizeof(uint32_t)));
    return file.good();
}

std::optional<Picture> Load(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    Picture picture;
    file.read(reinterpret_cast<char*>(&picture.width), sizeof picture.width);
    file.read(reinterpret_cast<char*>(&picture.height), sizeof picture.height);
    if (!file || picture.width <= 0 || picture.height <= 0) return std::nullopt;
    picture.pixels.resize(size_t(picture.width) * size_t(picture.height));
    file.read(reinterpret_cast<char*>(picture.pixels.data()), std::streamsize(picture.pixels.size() * sizeof(uint32_t)));
    if (!file) return std::nullopt;
    return picture;
}

}  // namespace

testing::AssertionResult LooksAsUnder936(HWND window, const std::string& name, RECT area, RECT ignore) {
    const std::string codePage = std::to_string(GetACP());
    if (const char* asked = std::getenv("QIVYUN_CODE_PAGE"); asked && codePage != asked)
        return testing::AssertionFailure() << "started for code page " << asked << ", the system's is " << codePage;
    const Picture shown = Capture(window, area);
    qivyun::test::SaveWindowPng(window, qivyun::test::ScreensFolder() + "/code-pages/" + name + "-" + codePage + ".png");
    const std::string path = ReferencePath(name);
    if (GetACP() == ReferenceCodePage) {
        if (Save(shown, path)) return testing::AssertionSuccess();
        return testing::AssertionFailure() << "cannot write " << path;
    }
    const std::optional<Picture> reference = Load(path);
    if (!reference) return testing::AssertionFailure() << "no picture from a run under 936 in " << path;
    return SamePicture(shown, *reference, ignore);
}

}  // namespace qivyun::skin::test
