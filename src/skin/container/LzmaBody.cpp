#include "skin/container/LzmaBody.h"

#include <LzmaDec.h>

#include <algorithm>
#include <cstdlib>

namespace qivyun::skin {
namespace {

void* Allocate(void*, size_t size) { return std::malloc(size); }
void Free(void*, void* address) { std::free(address); }
ISzAlloc allocator = {Allocate, Free};

// The output serves as the decoder's dictionary; it starts small and doubles up to the body size.
constexpr size_t FirstOutputSize = 1u << 20;

}  // namespace

bool DecodeLzmaBody(const uint8_t* properties, const uint8_t* stream, size_t streamSize, size_t bodySize,
                    std::vector<uint8_t>& body) {
    body.clear();
    if (bodySize == 0) return false;
    CLzmaDec decoder;
    LzmaDec_Construct(&decoder);
    if (LzmaDec_AllocateProbs(&decoder, properties, LZMA_PROPS_SIZE, &allocator) != SZ_OK) return false;

    std::vector<uint8_t> output(std::min(bodySize, FirstOutputSize));
    decoder.dic = output.data();
    decoder.dicBufSize = output.size();
    LzmaDec_Init(&decoder);
    bool decoded = false;
    for (;;) {
        SizeT consumed = streamSize;
        ELzmaStatus status;
        const SRes result = LzmaDec_DecodeToDic(&decoder, output.size(), stream, &consumed, LZMA_FINISH_ANY, &status);
        stream += consumed;
        streamSize -= consumed;
        if (result != SZ_OK) break;
        if (decoder.dicPos == bodySize) {
            decoded = true;
            break;
        }
        // Short of the body size: only a full output buffer may go on.
        if (decoder.dicPos < output.size() || status == LZMA_STATUS_FINISHED_WITH_MARK) break;
        output.resize(std::min(bodySize, output.size() * 2));
        decoder.dic = output.data();
        decoder.dicBufSize = output.size();
    }
    LzmaDec_FreeProbs(&decoder, &allocator);
    if (decoded) body = std::move(output);
    return decoded;
}

}  // namespace qivyun::skin
