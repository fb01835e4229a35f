#include "text/text_search.h"

#include <cstring>

namespace quorlen {

namespace {

bool MatchesAt(std::string_view text, std::size_t at, std::string_view what, bool ignoreCase) {
    if (!ignoreCase)
        return std::memcmp(text.data() + at, what.data(), what.size()) == 0;
    for (std::size_t i = 0; i < what.size(); ++i) {
        const auto t = static_cast<unsigned char>(text[at + i]);
        const auto w = static_cast<unsigned char>(what[i]);
        if (!EqualIgnoringAsciiCase(t, w))
            return false;
    }
    return true;
}

} // namespace

int FindText(std::string_view text, std::string_view what, int start, bool ignoreCase) {
    if (text.empty() || what.empty())
        return -1;
    std::size_t at = start < 1 ? 0 : static_cast<std::size_t>(start) - 1;
    while (at < text.size() && text.size() - at >= what.size()) {
        if (MatchesAt(text, at, what, ignoreCase))
            return static_cast<int>(at) + 1;
        at += static_cast<unsigned char>(text[at]) >= 0x80 ? 2 : 1;
    }
    return -1;
}

} // namespace quorlen
