#include "query/find_marker.h"

#include "text/text_parts.h"
#include "text/text_search.h"

#include <cstring>

namespace quorlen {

namespace {

// Character boundaries only move forward while the candidates do, so one cursor walked
// from the first byte serves every candidate of a search: the whole search walks the
// text once, however many misaligned near-matches it meets.
class BoundaryCursor {
public:
    explicit BoundaryCursor(std::string_view text) : m_text(text) {}

    // True when `offset` (0-based) begins a character. Offsets must not decrease.
    bool IsBoundary(std::size_t offset) {
        while (m_next < offset)
            m_next += IsGbkLeadByte(static_cast<unsigned char>(m_text[m_next])) ? 2 : 1;
        return m_next == offset;
    }

private:
    std::string_view m_text;
    std::size_t m_next = 0;
};

bool MatchesIgnoringCase(const char* text, std::string_view marker) {
    bool secondByte = false;
    for (std::size_t i = 0; i < marker.size(); ++i) {
        const auto t = static_cast<unsigned char>(text[i]);
        const auto m = static_cast<unsigned char>(marker[i]);
        // The second byte of a marker's two-byte character must match exactly even when
        // it looks like an ASCII letter.
        const bool matches =
            secondByte ? t == m : (t < 0x80 ? EqualIgnoringAsciiCase(t, m) : t == m);
        if (!matches)
            return false;
        secondByte = !secondByte && IsGbkLeadByte(m);
    }
    return true;
}

// The 0-based offset of the next exact occurrence of `marker` at or after `from` in
// `text`, or npos. glibc's memmem is linear in the haystack for any needle.
std::size_t NextExact(std::string_view text, std::string_view marker, std::size_t from) {
    const void* hit = memmem(text.data() + from, text.size() - from, marker.data(), marker.size());
    return hit ? static_cast<std::size_t>(static_cast<const char*>(hit) - text.data())
               : std::string_view::npos;
}

std::size_t NextIgnoringCase(std::string_view text, std::string_view marker, std::size_t from) {
    const std::size_t last = text.size() - marker.size();
    for (std::size_t at = from; at <= last; ++at) {
        if (MatchesIgnoringCase(text.data() + at, marker))
            return at;
    }
    return std::string_view::npos;
}

} // namespace

int FindMarker(std::string_view text, std::string_view marker, int start, bool ignoreCase) {
    if (text.empty() || marker.empty())
        return -1;
    std::size_t from = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
    if (from >= text.size() || marker.size() > text.size() - from)
        return -1;
    BoundaryCursor boundaries(text);
    while (from + marker.size() <= text.size()) {
        const std::size_t hit =
            ignoreCase ? NextIgnoringCase(text, marker, from) : NextExact(text, marker, from);
        if (hit == std::string_view::npos)
            return -1;
        if (boundaries.IsBoundary(hit))
            return static_cast<int>(hit) + 1;
        from = hit + 1;
    }
    return -1;
}

Text CutBetween(std::string_view text, std::string_view front, std::string_view back,
                int& position) {
    const int frontAt = FindMarker(text, front, position);
    if (frontAt == -1) {
        position = 0;
        return {};
    }
    const int valueStart = frontAt + static_cast<int>(front.size());
    const int backAt = FindMarker(text, back, valueStart);
    if (backAt == -1) {
        position = 0;
        return {};
    }
    position = backAt + static_cast<int>(back.size());
    return MidText(text, valueStart, backAt - valueStart);
}

Text MidText(std::string_view text, int start, int length) {
    return TextMiddle(text, start, length);
}

} // namespace quorlen
