#include "ControlsTestDialog.h"

#include "../support/Pump.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace qivyun::test {
namespace {

using Bytes = std::vector<uint8_t>;

// GIFs made here: a four-colour table (blue, red, green, yellow) and images of one colour each,
// stored as literal codes (a clear code after every two keeps the codes three bits wide).
class TestGif {
public:
    TestGif(int width, int height) {
        bytes = {'G', 'I', 'F', '8', '9', 'a', uint8_t(width), 0, uint8_t(height), 0, 0x81, 0, 0,
                 0, 0, 255, 255, 0, 0, 0, 255, 0, 255, 255, 0};
    }
    TestGif& Frame(int left, int top, int width, int height, uint8_t colour, int delay, int disposal) {
        Bytes control{0x21, 0xF9, 4, uint8_t(disposal << 2), uint8_t(delay), uint8_t(delay >> 8), 0, 0};
        Bytes image{0x2C, uint8_t(left), 0, uint8_t(top), 0, uint8_t(width), 0, uint8_t(height), 0, 0, 2};
        Bytes codes = Literals(width * height, colour);
        for (size_t at = 0; at < codes.size(); at += 255) {
            size_t length = std::min<size_t>(255, codes.size() - at);
            image.push_back(uint8_t(length));
            image.insert(image.end(), codes.begin() + long(at), codes.begin() + long(at + length));
        }
        image.push_back(0);
        bytes.insert(bytes.end(), control.begin(), control.end());
        bytes.insert(bytes.end(), image.begin(), image.end());
        return *this;
    }
    Bytes End() const {
        Bytes all = bytes;
        all.push_back(0x3B);
        return all;
    }

private:
    static Bytes Literals(int count, uint8_t colour) {
        Bytes out;
        uint32_t buffer = 0;
        int bits = 0;
        auto emit = [&](uint32_t code) {
            buffer |= code << bits;
            for (bits += 3; bits >= 8; bits -= 8, buffer >>= 8) out.push_back(uint8_t(buffer));
        };
        emit(4);
        for (int i = 0; i < count; ++i) {
            emit(colour);
            if (i % 2 == 1) emit(4);
        }
        emit(5);
        if (bits > 0) out.push_back(uint8_t(buffer));
        return out;
    }
    Bytes bytes;
};

bool Load(AnimatedPicture& picture, const Bytes& data) {
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE, data.size());
    std::memcpy(GlobalLock(block), data.data(), data.size());
    GlobalUnlock(block);
    bool loaded = picture.LoadPictureData(block, DWORD(data.size()));
    GlobalFree(block);
    return loaded;
}

COLORREF ShownAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    COLORREF colour = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return colour;
}

class AnimatedPictureTest : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(dialog.Create(nullptr));
        ASSERT_TRUE(PumpUntil([&] { return dialog.IsVisible(); }));
    }
    AnimatedPicture& picture = dialog.picture;
    ControlsTestDialog dialog;
};

TEST_F(AnimatedPictureTest, PicturesSizeTheControlAndOnlyAnimatedGifsPlayOnAThread) {
    ASSERT_TRUE(picture.LoadPictureResource(156, "jpg"));  // type names compare without regard to case
    EXPECT_EQ(picture.WindowRect().right - picture.WindowRect().left, 940);  // from its extent at the screen's DPI
    EXPECT_EQ(picture.WindowRect().bottom - picture.WindowRect().top, 552);
    EXPECT_TRUE(picture.StartPicture());
    EXPECT_FALSE(picture.AnimationRunning());

    ASSERT_TRUE(picture.LoadPictureResource(138, "Gif"));
    EXPECT_EQ(picture.PictureWidth(), 60);
    EXPECT_EQ(picture.WindowRect().right - picture.WindowRect().left, 60);
    EXPECT_EQ(picture.FrameCount(), 12u);
    EXPECT_FALSE(picture.StartPicture());
    EXPECT_TRUE(picture.AnimationRunning());
    picture.StopAnimation();
    picture.StopAnimation();
    EXPECT_FALSE(picture.AnimationRunning());

    ASSERT_TRUE(Load(picture, TestGif(16, 16).Frame(0, 0, 16, 16, 1, 10, 0).End()));
    EXPECT_EQ(picture.FrameCount(), 0u) << "one frame takes the picture route";
    EXPECT_TRUE(picture.StartPicture());
    EXPECT_FALSE(picture.AnimationRunning());
    EXPECT_TRUE(PumpUntil([&] { return ShownAt(picture.Handle(), 8, 8) == RGB(255, 0, 0); }, 2000));

    EXPECT_FALSE(Load(picture, Bytes{'n', 'o', ' ', 'p', 'i', 'c', 't', 'u', 'r', 'e'}));
    EXPECT_FALSE(Load(picture, Bytes{'G', 'I', 'F', '8', '9', 'a', 1, 0, 1, 0, 0, 0, 0, 0x3B}));
    EXPECT_FALSE(picture.StartPicture());
}

TEST_F(AnimatedPictureTest, FramesClearToTheBackgroundOrRestoreWhatWasUnderThemAfterTheirDelay) {
    const COLORREF background = RGB(255, 0, 255);
    const Bytes gif = TestGif(16, 16)
                          .Frame(0, 0, 16, 16, 0, 5, 1)     // blue everywhere
                          .Frame(0, 0, 8, 8, 1, 5, 2)       // red, then the background
                          .Frame(8, 0, 8, 8, 2, 5, 3)       // green, then the blue again
                          .Frame(0, 8, 8, 8, 3, 3000, 1)    // yellow, for thirty seconds
                          .End();
    ASSERT_TRUE(Load(picture, gif));
    ASSERT_EQ(picture.FrameCount(), 4u);
    HDC screen = GetDC(nullptr);
    OffscreenSurface parent;
    ASSERT_TRUE(parent.Create(screen, 600, 300));
    ReleaseDC(nullptr, screen);
    UniqueGdiObject<HBRUSH> brush(CreateSolidBrush(background));
    RECT all{0, 0, 600, 300};
    FillRect(parent.Dc(), &all, brush.Get());
    ASSERT_TRUE(picture.TakeBackground(parent.Dc()));
    EXPECT_FALSE(picture.StartPicture());

    HWND window = picture.Handle();
    bool settled = PumpUntil([&] { return ShownAt(window, 4, 12) == RGB(255, 255, 0); }, 3000);
    EXPECT_TRUE(settled);
    EXPECT_EQ(ShownAt(window, 4, 4), background);
    EXPECT_EQ(ShownAt(window, 12, 4), RGB(0, 0, 255));
    EXPECT_EQ(ShownAt(window, 12, 12), RGB(0, 0, 255));
}

TEST_F(AnimatedPictureTest, DestroyingTheWindowDuringALongDelayEndsTheThreadAtOnce) {
    ASSERT_TRUE(Load(picture, TestGif(8, 8).Frame(0, 0, 8, 8, 0, 3000, 0).Frame(0, 0, 8, 8, 1, 3000, 0).End()));
    EXPECT_FALSE(picture.StartPicture());
    PumpFor(200);  // the thread waits in the first frame's delay
    ASSERT_TRUE(picture.AnimationRunning());
    // The frame waits 30 s; the bound leaves room for a busy machine, not for that wait.
    DWORD start = GetTickCount();
    DestroyWindow(picture.Handle());
    EXPECT_LT(GetTickCount() - start, 1000u);
    EXPECT_FALSE(picture.AnimationRunning());
}

}  // namespace
}  // namespace qivyun::test
