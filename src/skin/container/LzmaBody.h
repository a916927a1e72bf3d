#pragma once
// The skin body's compression: raw LZMA streams of the LZMA SDK, without a size field.
#include <cstddef>
#include <cstdint>
#include <vector>

namespace qivyun::skin {

// Decodes exactly bodySize bytes from a raw LZMA stream with its 5 properties bytes. An end marker
// is not required; a stream that ends, or marks its end, before bodySize bytes, or that is corrupt,
// gives false. The output grows with what the stream really yields, so a header that claims a huge
// body costs no more memory than the stream produces.
bool DecodeLzmaBody(const uint8_t* properties, const uint8_t* stream, size_t streamSize, size_t bodySize,
                    std::vector<uint8_t>& body);

// Encodes a body with our settings (properties byte 0x5D, 8 MiB dictionary, one thread, so the same
// body always gives the same bytes). The properties come first in the result: 5 bytes, then the
// stream. An end marker is written only when asked for.
std::vector<uint8_t> EncodeLzmaBody(const std::vector<uint8_t>& body, bool endMarker = false);

}  // namespace qivyun::skin
