#include "search/TextScan.h"

namespace qivyun {

std::ptrdiff_t FindText(std::string_view text, std::string_view marker, std::ptrdiff_t start) {
    if (start < 0) start = 0;
    if (start > static_cast<std::ptrdiff_t>(text.size())) return NotFound;
    if (marker.empty()) return start;
    // Instead of stepping through every character, look at each byte-wise occurrence and ask
    // whether the walk from start lands on it. `onWalk` is a position the walk is known to reach.
    // A walk that reaches a position before a single-byte character also reaches the byte after
    // that character (it can step over one byte, never two), so from the occurrence back to the
    // nearest such byte or to `onWalk` there are only lead bytes, which the walk takes in pairs.
    auto onWalk = static_cast<size_t>(start);
    for (size_t at = onWalk;;) {
        const size_t candidate = text.find(marker, at);
        if (candidate == std::string_view::npos) return NotFound;
        size_t reached = candidate;
        while (reached > onWalk && IsGbkLeadByte(text[reached - 1])) --reached;
        if ((candidate - reached) % 2 == 0) return static_cast<std::ptrdiff_t>(candidate);
        // The walk takes the lead byte before the occurrence together with the occurrence's first
        // byte, and goes on from the byte after it.
        onWalk = candidate + 1;
        at = candidate + 1;
    }
}

std::string_view CutBetween(std::string_view text, std::string_view open, std::string_view close) {
    return CutBetweenWith(
        text, open.size(), [open](std::string_view t, std::ptrdiff_t start) { return FindText(t, open, start); },
        [close](std::string_view t, std::ptrdiff_t start) { return FindText(t, close, start); });
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
