#include "text/text_case.h"

namespace quorlen {

namespace {

Text MapAsciiLetters(std::string_view text, char from, char to) {
    Text mapped(text);
    for (std::size_t i = 0; i < mapped.size(); ++i) {
        const char c = mapped[i];
        if (static_cast<unsigned char>(c) >= 0x80)
            ++i;
        else if (c >= from && c <= static_cast<char>(from + 25))
            mapped[i] = static_cast<char>(c - from + to);
    }
    return mapped;
}

} // namespace

Text ToUpperAscii(std::string_view text) {
    return MapAsciiLetters(text, 'a', 'A');
}

Text ToLowerAscii(std::string_view text) {
    return MapAsciiLetters(text, 'A', 'a');
}

} // namespace quorlen
