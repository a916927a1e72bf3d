#include "controls/GifBlockWalk.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace qivyun {
namespace {

using Bytes = std::vector<uint8_t>;

Bytes operator+(Bytes a, const Bytes& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// Pieces of GIF files, built the way the format lays them out.
Bytes Header(int width, int height, bool colourTable = true) {
    Bytes bytes{'G', 'I', 'F', '8', '9', 'a', uint8_t(width), uint8_t(width >> 8), uint8_t(height), uint8_t(height >> 8),
                uint8_t(colourTable ? 0x80 : 0x00), 0, 0};
    if (colourTable) bytes = bytes + Bytes{0, 0, 0, 255, 255, 255};  // two colours
    return bytes;
}
Bytes Control(int delay, int disposal) { return {0x21, 0xF9, 4, uint8_t(disposal << 2), uint8_t(delay), uint8_t(delay >> 8), 0, 0}; }
Bytes Image(int left, int top, int width, int height, bool localTable = false) {
    Bytes bytes{0x2C, uint8_t(left), uint8_t(left >> 8), uint8_t(top), uint8_t(top >> 8), uint8_t(width), uint8_t(width >> 8),
                uint8_t(height), uint8_t(height >> 8), uint8_t(localTable ? 0x81 : 0)};
    if (localTable) bytes = bytes + Bytes(12, 7);  // four colours
    return bytes + Bytes{2, 3, 0x4C, 0x01, 0x00, 0x00};  // code size, one sub-block, end
}
Bytes Looping() { return Bytes{0x21, 0xFF, 11, 'N', 'E', 'T', 'S', 'C', 'A', 'P', 'E', '2', '.', '0', 3, 1, 0, 0, 0}; }
Bytes Comment() { return {0x21, 0xFE, 3, 'a', 'b', 'c', 0}; }
Bytes PlainText() { return Bytes{0x21, 0x01, 12} + Bytes(12, 1) + Bytes{2, 'h', 'i', 0}; }
const Bytes Trailer{0x3B};

struct Frame {
    int delay, disposal, left, top, width, height;
    bool operator==(const Frame&) const = default;
};

std::vector<Frame> Extract(const Bytes& gif) {
    GifBlockWalk walk(gif.data(), gif.size());
    std::vector<Frame> frames;
    while (auto frame = walk.ExtractFrame())
        frames.push_back({frame->delay, frame->disposal, frame->left, frame->top, frame->width, frame->height});
    return frames;
}

TEST(GifBlockWalkTest, FramesAreFoundAndCutWhereTheBlocksSayAndTheWalkStopsAtTheFirstBadBlock) {
    const Bytes two = Header(8, 8) + Control(10, 1) + Image(0, 0, 8, 8);
    Bytes imageWithoutItsEnd = Image(0, 0, 8, 8);
    imageWithoutItsEnd.pop_back();
    struct Case {
        const char* name;
        Bytes gif;
        std::vector<Frame> frames;
    } cases[] = {
        {"extensions before and between frames", Header(8, 8) + Looping() + Comment() + Control(10, 2) + Image(1, 2, 3, 4) + Comment() + Control(300, 3) + Image(5, 6, 2, 1) + Trailer,
         {{10, 2, 1, 2, 3, 4}, {300, 3, 5, 6, 2, 1}}},
        {"frames without a control extension", Header(8, 8, false) + Image(0, 0, 8, 8) + Image(2, 2, 4, 4, true) + Trailer, {{-1, 0, 0, 0, 8, 8}, {-1, 0, 2, 2, 4, 4}}},
        {"a plain-text frame keeps no size", Header(8, 8) + Control(5, 0) + PlainText() + Trailer, {{5, 0, 0, 0, 0, 0}}},
        {"a comment between the control extension and its image", Header(8, 8) + Control(7, 1) + Comment() + Image(0, 0, 8, 8) + Trailer, {{7, 1, 0, 0, 8, 8}}},
        {"an unknown extension", two + Bytes{0x21, 0x99, 1, 0, 0} + Image(0, 0, 8, 8) + Trailer, {{10, 1, 0, 0, 8, 8}}},
        {"an unknown block", two + Bytes{0x55} + Trailer, {{10, 1, 0, 0, 8, 8}}},
        {"a control extension followed by the trailer", two + Control(1, 1) + Trailer, {{10, 1, 0, 0, 8, 8}}},
        {"a chain cut short", two + imageWithoutItsEnd, {{10, 1, 0, 0, 8, 8}}},
        {"a sub-block longer than the rest", two + Bytes{0x2C, 0, 0, 0, 0, 8, 0, 8, 0, 0, 2, 200, 1, 2, 3}, {{10, 1, 0, 0, 8, 8}}},
        {"a descriptor cut short", two + Bytes{0x2C, 0, 0, 0, 0, 8}, {{10, 1, 0, 0, 8, 8}}},
        {"a control extension cut short", two + Bytes{0x21, 0xF9, 4, 0}, {{10, 1, 0, 0, 8, 8}}},
        {"an application extension cut short", two + Bytes{0x21, 0xFF, 11, 'N'}, {{10, 1, 0, 0, 8, 8}}},
        {"an extension introducer at the very end", two + Bytes{0x21}, {{10, 1, 0, 0, 8, 8}}},
        {"a colour table longer than the data", Bytes{'G', 'I', 'F', '8', '9', 'a', 8, 0, 8, 0, 0x87, 0, 0, 1, 2, 3}, {}},
        {"shorter than a screen descriptor", Bytes{'G', 'I', 'F', '8', '9', 'a', 8, 0}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(Extract(c.gif), c.frames);
        GifBlockWalk walk(c.gif.data(), c.gif.size());
        EXPECT_EQ(walk.CountFrames(), int(c.frames.size()));
    }
}

TEST(GifBlockWalkTest, ACutFrameIsAGifOfItsOwnWithTheSourceScreenAndColourTable) {
    const Bytes head = Header(8, 8);
    const Bytes frameBlocks = Control(7, 2) + Comment() + Image(1, 1, 4, 4, true);
    const Bytes source = head + Looping() + Control(3, 1) + Image(0, 0, 8, 8) + frameBlocks + Trailer;
    GifBlockWalk walk(source.data(), source.size());
    ASSERT_TRUE(walk.ExtractFrame());
    auto second = walk.ExtractFrame();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->gif, head + frameBlocks + Trailer);
    EXPECT_FALSE(walk.ExtractFrame());

    GifBlockWalk alone(second->gif.data(), second->gif.size());
    EXPECT_EQ(alone.Width(), 8);
    EXPECT_EQ(alone.GlobalColorTableSize(), 6);
    EXPECT_EQ(alone.CountFrames(), 1);
}

TEST(GifBlockWalkTest, TheBusyAnimationHasTwelveFullFramesTheLastClearingToTheBackground) {
    std::ifstream file(QIVYUN_BUSY_ANIMATION, std::ios::binary);
    const Bytes gif{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    ASSERT_TRUE(GifBlockWalk::HasSignature(gif.data(), gif.size()));
    GifBlockWalk walk(gif.data(), gif.size());
    EXPECT_EQ(walk.Width(), 60);
    EXPECT_EQ(walk.Height(), 60);
    EXPECT_EQ(walk.GlobalColorTableSize(), 768);
    EXPECT_EQ(walk.CountFrames(), 12);
    std::vector<Frame> frames = Extract(gif);
    ASSERT_EQ(frames.size(), 12u);
    for (size_t i = 0; i < frames.size(); ++i) EXPECT_EQ(frames[i], (Frame{8, i == 11 ? 2 : 1, 0, 0, 60, 60})) << i;
}

}  // namespace
}  // namespace qivyun
