// Fuzz target: the GIF block walk over any bytes. The data sits in a buffer of exactly its size,
// so any read past its end is caught; counting and cutting must agree, and every cut frame must
// be a GIF of one frame with the same values.
#include "controls/GifBlockWalk.h"

#include <cstdint>
#include <cstring>
#include <memory>

using namespace qivyun;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, size_t size) {
    const std::unique_ptr<std::uint8_t[]> buffer(new std::uint8_t[size ? size : 1]);
    std::memcpy(buffer.get(), data, size);

    GifBlockWalk walk(buffer.get(), size);
    const int counted = walk.CountFrames();
    int cut = 0;
    while (auto frame = walk.ExtractFrame()) {
        ++cut;
        if (walk.Offset() > size) __builtin_trap();
        GifBlockWalk alone(frame->gif.data(), frame->gif.size());
        if (alone.CountFrames() != 1) __builtin_trap();
        auto again = alone.ExtractFrame();
        if (!again || again->gif != frame->gif || again->delay != frame->delay || again->disposal != frame->disposal ||
            again->left != frame->left || again->width != frame->width || again->height != frame->height)
            __builtin_trap();
    }
    if (cut != counted) __builtin_trap();
    return 0;
}
