#pragma once

#include "text/text.h"

#include <string_view>
#include <vector>

namespace quorlen {

// FindMarker and CutBetween over one page, for a caller that searches it many times.
// FindMarker counts character boundaries from the first byte of the text, so each call
// walks the page from the top to its match; a search that starts at a position already
// known to begin a character gives the same result when only the rest of the page is
// walked, since boundaries depend only on the bytes before them. This keeps the known
// boundaries (every match, and the end of every whole-character marker after it) and walks
// only from the nearest one. Results are exactly those of FindMarker and CutBetween.
class PageSearch {
public:
    explicit PageSearch(std::string_view page) : m_page(page) {}

    // FindMarker(page, marker, start), case-sensitive. `marker` must be made of whole
    // characters, as every marker of the profile page is.
    int Find(std::string_view marker, int start = 1);

    // CutBetween(page, front, back, position), with the same rule for both markers.
    Text Cut(std::string_view front, std::string_view back, int& position);

private:
    int NearestKnownBoundary(int position) const;
    void Remember(int boundary);

    std::string_view m_page;
    std::vector<int> m_boundaries{1}; // sorted, 1-based
};

} // namespace quorlen
