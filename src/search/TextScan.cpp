#include "search/TextScan.h"

#include <cstring>

namespace qivyun {
namespace {

bool IsLeadByte(unsigned char byte) { return byte >= 0x81 && byte <= 0xFE; }

}  // namespace

std::ptrdiff_t FindText(std::string_view text, std::string_view marker, std::ptrdiff_t start) {
    if (start < 0) start = 0;
    const auto length = static_cast<std::ptrdiff_t>(text.size());
    if (start > length) return NotFound;
    const auto markerLength = static_cast<std::ptrdiff_t>(marker.size());
    if (markerLength == 0) return start;
    const char* data = text.data();
    const char first = marker[0];
    for (std::ptrdiff_t i = start; i + markerLength <= length;) {
        if (data[i] == first && std::memcmp(data + i, marker.data(), static_cast<size_t>(markerLength)) == 0) return i;
        i += IsLeadByte(static_cast<unsigned char>(data[i])) ? 2 : 1;
    }
    return NotFound;
}

std::string_view CutBetween(std::string_view text, std::string_view open, std::string_view close) {
    const std::ptrdiff_t a = FindText(text, open, 0);
    const std::ptrdiff_t s = a + static_cast<std::ptrdiff_t>(open.size());
    const std::ptrdiff_t b = FindText(text, close, s);
    std::ptrdiff_t count = b - s;
    const std::ptrdiff_t first = s < 0 ? 0 : s;
    const auto length = static_cast<std::ptrdiff_t>(text.size());
    if (count <= 0 || first >= length) return {};
    if (count > length - first) count = length - first;
    return text.substr(static_cast<size_t>(first), static_cast<size_t>(count));
}

std::string_view TrimLeft(std::string_view text) {
    const size_t first = text.find_first_not_of(" \t\r\n\v\f");
    return first == std::string_view::npos ? std::string_view{} : text.substr(first);
}

std::string_view TextAfter(std::string_view text, std::ptrdiff_t p) {
    if (p < 0) return text;
    if (static_cast<size_t>(p) >= text.size()) return {};
    return text.substr(static_cast<size_t>(p) + 1);
}

}  // namespace qivyun
