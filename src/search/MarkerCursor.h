#pragma once
// FindText for one marker over texts that lie inside one page, remembering its last answer. The
// record scan searches the same markers again for every record, each time from a little further
// into the page; with the last answer at hand a search reads only up to the point where its walk
// meets the walk of the search before, so a page with many records and few field markers is still
// read a bounded number of times.
#include <cstddef>
#include <string_view>

namespace qivyun {

class MarkerCursor {
public:
    MarkerCursor(std::string_view page, std::string_view marker) : page(page), marker(marker) {}

    // FindText(text, marker, start); text must be a view into the page.
    std::ptrdiff_t Find(std::string_view text, std::ptrdiff_t start);

private:
    // The first match on the walk from `from` that ends before `end` (page offsets), or -1.
    std::ptrdiff_t Walk(std::ptrdiff_t from, std::ptrdiff_t end);

    std::string_view page;
    std::string_view marker;
    // The last walk: where it started and ended and what it found.
    bool remembered = false;
    std::ptrdiff_t lastFrom = 0;
    std::ptrdiff_t lastEnd = 0;
    std::ptrdiff_t lastFound = 0;
};

}  // namespace qivyun
