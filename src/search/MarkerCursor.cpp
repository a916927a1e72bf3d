#include "search/MarkerCursor.h"

#include "search/TextScan.h"


namespace qivyun {

std::ptrdiff_t MarkerCursor::Find(std::string_view text, std::ptrdiff_t start) {
    const auto length = static_cast<std::ptrdiff_t>(text.size());
    if (start < 0) start = 0;
    if (start > length) return NotFound;
    if (marker.empty()) return start;
    // an empty cut is a view of nothing, not of the page
    if (length - start < static_cast<std::ptrdiff_t>(marker.size())) return NotFound;
    const std::ptrdiff_t textStart = text.data() - page.data();
    const std::ptrdiff_t found = Walk(textStart + start, textStart + length);
    return found == NotFound ? NotFound : found - textStart;
}

std::ptrdiff_t MarkerCursor::Walk(std::ptrdiff_t from, std::ptrdiff_t end) {
    // Walks over the same text meet for good at the first position both reach. Every walk that
    // starts before a position whose previous byte is a single-byte character reaches it (a walk
    // can step over one byte, never over two), so from such a position on the last walk's answer
    // holds, as long as that answer was not already passed. Such positions come soon after any
    // markup, so this walk is short; where it is not, the search goes on as a fresh one.
    std::ptrdiff_t i = from;
    std::ptrdiff_t found = NotFound;
    bool done = false;
    if (remembered && lastEnd == end) {
        const auto markerLength = static_cast<std::ptrdiff_t>(marker.size());
        const char* data = page.data();
        for (; i + markerLength <= end && (lastFound == NotFound || i <= lastFound); i += IsGbkLeadByte(data[i]) ? 2 : 1) {
            if (i >= lastFrom && (i == lastFrom || !IsGbkLeadByte(data[i - 1]))) {
                found = lastFound;
                done = true;
                break;
            }
            if (data[i] == marker[0] && page.compare(static_cast<size_t>(i), marker.size(), marker) == 0) {
                found = i;
                done = true;
                break;
            }
        }
        if (!done && i + markerLength > end) done = true;
    }
    if (!done) found = FindText(page.substr(0, static_cast<size_t>(end)), marker, i);
    remembered = true;
    lastFrom = from;
    lastEnd = end;
    lastFound = found;
    return found;
}

}  // namespace qivyun
