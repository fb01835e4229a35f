#include "text/text_parts.h"

#include <algorithm>

namespace quorlen {

Text TextMiddle(std::string_view text, int position, int count) {
    if (position < 1 || count < 1 || static_cast<std::size_t>(position) > text.size())
        return {};
    return Text(
        text.substr(static_cast<std::size_t>(position) - 1, static_cast<std::size_t>(count)));
}

Text TextLeft(std::string_view text, int count) {
    if (count < 1)
        return {};
    return Text(text.substr(0, static_cast<std::size_t>(count)));
}

Text TextRight(std::string_view text, int count) {
    if (count < 1)
        return {};
    const std::size_t keep = std::min(text.size(), static_cast<std::size_t>(count));
    return Text(text.substr(text.size() - keep));
}

} // namespace quorlen
