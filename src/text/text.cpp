#include "text/text.h"

#include <cstring>

namespace quorlen {

Text JoinTexts(std::initializer_list<std::string_view> parts) {
    std::size_t total = 0;
    for (std::string_view part : parts)
        total += part.size();
    Text joined;
    joined.reserve(total);
    for (std::string_view part : parts)
        joined.append(part);
    return joined;
}

int CompareTexts(std::string_view a, std::string_view b) {
    // std::string_view compares through char_traits<char>, which orders bytes as unsigned.
    const int order = a.compare(b);
    return order < 0 ? -1 : (order > 0 ? 1 : 0);
}

} // namespace quorlen
