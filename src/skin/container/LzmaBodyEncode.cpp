#include "skin/container/LzmaBody.h"
#include "skin/container/SkinFormat.h"

#include <LzmaEnc.h>

#include <cstdlib>
#include <stdexcept>

namespace qivyun::skin {
namespace {

void* Allocate(void*, size_t size) { return std::malloc(size); }
void Free(void*, void* address) { std::free(address); }
ISzAlloc allocator = {Allocate, Free};

}  // namespace

std::vector<uint8_t> EncodeLzmaBody(const std::vector<uint8_t>& body, bool endMarker) {
    CLzmaEncProps properties;
    LzmaEncProps_Init(&properties);
    properties.level = 9;
    properties.dictSize = LzmaDictionarySize;
    properties.lc = 3;
    properties.lp = 0;
    properties.pb = 2;
    properties.numThreads = 1;
    // Room for a body that does not compress at all.
    std::vector<uint8_t> encoded(LZMA_PROPS_SIZE + body.size() + body.size() / 2 + 1024);
    SizeT streamSize = encoded.size() - LZMA_PROPS_SIZE;
    SizeT propertiesSize = LZMA_PROPS_SIZE;
    const SRes result = LzmaEncode(encoded.data() + LZMA_PROPS_SIZE, &streamSize, body.data(), body.size(), &properties,
                                   encoded.data(), &propertiesSize, endMarker ? 1 : 0, nullptr, &allocator, &allocator);
    if (result != SZ_OK || propertiesSize != LZMA_PROPS_SIZE) throw std::runtime_error("the LZMA encoder failed");
    encoded.resize(LZMA_PROPS_SIZE + streamSize);
    return encoded;
}

}  // namespace qivyun::skin
