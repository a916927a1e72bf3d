#pragma once
// A walk over the blocks of a GIF file in memory: counts its frames and cuts each frame out as a
// stand-alone one-frame GIF that the system's picture loader can decode. Every length byte is
// checked against the end of the data; a block that would reach past it ends the walk there.
#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace qivyun {

enum class GifBlock {
    ApplicationExtension,
    CommentExtension,
    GraphicControlExtension,
    PlainTextExtension,
    ImageDescriptor,
    Trailer,
    Unrecognised,
};

struct GifFrameData {
    std::vector<uint8_t> gif;  // header, screen descriptor, global colour table, the frame's blocks, trailer
    int delay = -1;            // hundredths of a second; -1 when the frame has no control extension
    int disposal = 0;          // 0 to 7
    int left = 0, top = 0, width = 0, height = 0;
};

class GifBlockWalk {
public:
    GifBlockWalk(const uint8_t* data, size_t size);

    // The data begins with the GIF signature (the version bytes after it are not looked at).
    static bool HasSignature(const uint8_t* data, size_t size);

    // The logical screen; both 0 when the data is too short to hold a screen descriptor.
    int Width() const { return width; }
    int Height() const { return height; }
    int GlobalColorTableSize() const { return globalColorTableSize; }
    size_t Offset() const { return parseOffset; }

    // Back to the first block after the global colour table.
    void Rewind();
    GifBlock BlockKind() const;
    // Bytes of the block at the offset, -1 when it is unrecognised or its chain runs past the end.
    int64_t BlockLength() const;
    bool SkipBlock();
    // Steps over one frame (its extensions and its image); false at the end or at a bad block.
    bool SkipFrame();
    std::optional<GifFrameData> ExtractFrame();
    // The frames from the start; leaves the offset at the start again.
    int CountFrames();

private:
    int64_t ChainLength(size_t start) const;
    // Skips application and comment extensions; false when a block fails to skip.
    bool SkipApplicationAndComments();
    uint16_t Word(size_t at) const { return uint16_t(data[at] | (data[at + 1] << 8)); }

    const uint8_t* data;
    size_t dataSize;
    bool hasScreen = false;
    int width = 0, height = 0;
    int globalColorTableSize = 0;
    size_t parseOffset = 0;
};

}  // namespace qivyun
