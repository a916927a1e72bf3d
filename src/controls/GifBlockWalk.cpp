#include "controls/GifBlockWalk.h"

namespace qivyun {
namespace {

constexpr size_t ScreenDescriptorEnd = 13;  // signature, version and the logical screen descriptor
constexpr uint8_t Trailer = 0x3B;

}  // namespace

GifBlockWalk::GifBlockWalk(const uint8_t* bytes, size_t size) : data(bytes), dataSize(size) {
    if (!data || dataSize < ScreenDescriptorEnd) {
        dataSize = 0;
        return;
    }
    width = Word(6);
    height = Word(8);
    uint8_t packed = data[10];
    if (packed & 0x80) globalColorTableSize = 3 * (1 << ((packed & 7) + 1));
    hasScreen = ScreenDescriptorEnd + size_t(globalColorTableSize) <= dataSize;
    if (!hasScreen) dataSize = 0;
    Rewind();
}

bool GifBlockWalk::HasSignature(const uint8_t* bytes, size_t size) {
    return bytes && size >= 3 && bytes[0] == 'G' && bytes[1] == 'I' && bytes[2] == 'F';
}

void GifBlockWalk::Rewind() { parseOffset = hasScreen ? ScreenDescriptorEnd + size_t(globalColorTableSize) : 0; }

GifBlock GifBlockWalk::BlockKind() const {
    if (parseOffset >= dataSize) return GifBlock::Unrecognised;
    switch (data[parseOffset]) {
    case 0x2C: return GifBlock::ImageDescriptor;
    case Trailer: return GifBlock::Trailer;
    case 0x21: break;
    default: return GifBlock::Unrecognised;
    }
    if (parseOffset + 1 >= dataSize) return GifBlock::Unrecognised;
    switch (data[parseOffset + 1]) {
    case 0xFF: return GifBlock::ApplicationExtension;
    case 0xFE: return GifBlock::CommentExtension;
    case 0xF9: return GifBlock::GraphicControlExtension;
    case 0x01: return GifBlock::PlainTextExtension;
    default: return GifBlock::Unrecognised;
    }
}

// A run of sub-blocks each led by its size byte, ended by a zero byte.
int64_t GifBlockWalk::ChainLength(size_t start) const {
    int64_t length = 0;
    for (size_t at = start;;) {
        if (at >= dataSize) return -1;
        uint8_t size = data[at];
        length += size + 1;
        if (size == 0) return length;
        at += size_t(size) + 1;
    }
}

int64_t GifBlockWalk::BlockLength() const {
    auto withChain = [&](size_t head) -> int64_t {
        int64_t chain = ChainLength(parseOffset + head);
        return chain < 0 ? -1 : int64_t(head) + chain;
    };
    switch (BlockKind()) {
    case GifBlock::ApplicationExtension: return withChain(14);
    case GifBlock::CommentExtension: return withChain(2);
    case GifBlock::GraphicControlExtension: return 8;
    case GifBlock::PlainTextExtension: return withChain(15);
    case GifBlock::ImageDescriptor: {
        if (parseOffset + 9 >= dataSize) return -1;
        uint8_t packed = data[parseOffset + 9];
        size_t localTable = (packed & 0x80) ? size_t(3) * (size_t(1) << ((packed & 7) + 1)) : 0;
        return withChain(11 + localTable);
    }
    case GifBlock::Trailer: return 1;
    case GifBlock::Unrecognised: break;
    }
    return -1;
}

bool GifBlockWalk::SkipBlock() {
    if (dataSize == 0) return false;
    int64_t length = BlockLength();
    if (length <= 0 || parseOffset + uint64_t(length) > dataSize) return false;
    parseOffset += size_t(length);
    return true;
}

bool GifBlockWalk::SkipApplicationAndComments() {
    while (BlockKind() == GifBlock::ApplicationExtension || BlockKind() == GifBlock::CommentExtension)
        if (!SkipBlock()) return false;
    return true;
}

bool GifBlockWalk::SkipFrame() {
    if (!SkipApplicationAndComments()) return false;
    GifBlock kind = BlockKind();
    if (kind == GifBlock::GraphicControlExtension) {
        if (!SkipBlock()) return false;
        for (kind = BlockKind(); kind != GifBlock::ImageDescriptor && kind != GifBlock::PlainTextExtension; kind = BlockKind())
            if (kind == GifBlock::Unrecognised || kind == GifBlock::Trailer || !SkipBlock()) return false;
    }
    if (kind != GifBlock::ImageDescriptor && kind != GifBlock::PlainTextExtension) return false;
    return SkipBlock();
}

std::optional<GifFrameData> GifBlockWalk::ExtractFrame() {
    size_t resume = parseOffset;
    auto fail = [&]() -> std::optional<GifFrameData> {
        parseOffset = resume;
        return std::nullopt;
    };
    if (!SkipApplicationAndComments()) return fail();
    GifFrameData frame;
    size_t start = parseOffset;
    GifBlock kind = BlockKind();
    if (kind == GifBlock::GraphicControlExtension) {
        if (!SkipBlock()) return fail();  // the 8 bytes are in the data from here on
        frame.disposal = (data[start + 3] >> 2) & 7;
        frame.delay = Word(start + 4);
        for (kind = BlockKind(); kind != GifBlock::ImageDescriptor && kind != GifBlock::PlainTextExtension; kind = BlockKind())
            if (kind == GifBlock::Unrecognised || kind == GifBlock::Trailer || !SkipBlock()) return fail();
    }
    if (kind != GifBlock::ImageDescriptor && kind != GifBlock::PlainTextExtension) return fail();
    // A plain-text frame draws no image: it keeps no size or position.
    size_t image = parseOffset;
    if (!SkipBlock()) return fail();
    if (kind == GifBlock::ImageDescriptor) {
        frame.left = Word(image + 1);
        frame.top = Word(image + 3);
        frame.width = Word(image + 5);
        frame.height = Word(image + 7);
    }
    size_t head = ScreenDescriptorEnd + size_t(globalColorTableSize);
    frame.gif.reserve(head + (parseOffset - start) + 1);
    frame.gif.assign(data, data + head);
    frame.gif.insert(frame.gif.end(), data + start, data + parseOffset);
    frame.gif.push_back(Trailer);
    return frame;
}

int GifBlockWalk::CountFrames() {
    Rewind();
    int frames = 0;
    while (SkipFrame()) ++frames;
    Rewind();
    return frames;
}

}  // namespace qivyun
