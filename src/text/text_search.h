#pragma once

#include <string_view>

namespace quorlen {

// The general text search: the 1-based position (counted from the first byte of the
// whole text) of the first occurrence of `what` at or after `start`, or -1.
// The scan steps from `start` one character at a time, taking a byte of 0x80 or more
// together with the byte after it, so a match never begins on the second byte of a
// two-byte character as seen from the start. With `ignoreCase` only ASCII letters
// match regardless of case.
int FindText(std::string_view text, std::string_view what, int start = 1, bool ignoreCase = false);

// True when the two ASCII bytes are equal or differ only in the case of a letter.
constexpr bool EqualIgnoringAsciiCase(unsigned char a, unsigned char b) {
    if (a == b)
        return true;
    if ((a ^ b) != 0x20)
        return false;
    const unsigned char lower = a | 0x20;
    return lower >= 'a' && lower <= 'z';
}

} // namespace quorlen
