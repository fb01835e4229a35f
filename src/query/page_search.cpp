#include "query/page_search.h"

#include "query/find_marker.h"

#include <algorithm>

namespace quorlen {

int PageSearch::NearestKnownBoundary(int position) const {
    const auto after = std::upper_bound(m_boundaries.begin(), m_boundaries.end(), position);
    return *std::prev(after); // m_boundaries starts with 1 and position is at least 1
}

void PageSearch::Remember(int boundary) {
    const auto at = std::lower_bound(m_boundaries.begin(), m_boundaries.end(), boundary);
    if (at == m_boundaries.end() || *at != boundary)
        m_boundaries.insert(at, boundary);
}

int PageSearch::Find(std::string_view marker, int start) {
    if (start < 1)
        start = 1;
    if (marker.empty() || start > TextLength(m_page))
        return -1;
    // No occurrence of any alignment before the first raw one, so the search may begin at
    // the last known boundary before that (or at `start`, whichever is later) and walk only
    // from there.
    const std::size_t raw = m_page.find(marker, static_cast<std::size_t>(start) - 1);
    if (raw == std::string_view::npos)
        return -1;
    const int from = NearestKnownBoundary(static_cast<int>(raw) + 1);
    const int walkFrom = std::max(from, NearestKnownBoundary(start));
    // Between the known boundary and `start` the walk still counts, so a start that is not
    // known to be a boundary itself is searched from the boundary before it.
    const int found = FindMarker(m_page.substr(static_cast<std::size_t>(walkFrom) - 1), marker,
                                 start - walkFrom + 1);
    if (found == -1)
        return -1;
    const int at = found + walkFrom - 1;
    Remember(at);
    Remember(at + TextLength(marker));
    return at;
}

Text PageSearch::Cut(std::string_view front, std::string_view back, int& position) {
    const int frontAt = Find(front, position);
    if (frontAt == -1) {
        position = 0;
        return {};
    }
    const int valueStart = frontAt + TextLength(front);
    const int backAt = Find(back, valueStart);
    if (backAt == -1) {
        position = 0;
        return {};
    }
    position = backAt + TextLength(back);
    return MidText(m_page, valueStart, backAt - valueStart);
}

} // namespace quorlen
