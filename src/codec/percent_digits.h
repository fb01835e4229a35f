#pragma once

#include <array>

namespace quorlen::codec_detail {

// The value of a byte read as an escape digit: its index in "0123456789ABCDEF" after
// ASCII lower-case letters are taken as upper case, -2 for any byte not in that table.
inline constexpr std::array<signed char, 256> kDigitValues = [] {
    std::array<signed char, 256> values{};
    values.fill(-2);
    for (int digit = 0; digit < 10; ++digit)
        values['0' + digit] = static_cast<signed char>(digit);
    for (int digit = 0; digit < 6; ++digit) {
        values['A' + digit] = static_cast<signed char>(10 + digit);
        values['a' + digit] = static_cast<signed char>(10 + digit);
    }
    return values;
}();

// The byte an escape gives from its two digit values: the low eight bits of
// 16 * first + second, so negative sums wrap (-34 gives DE).
inline constexpr unsigned char EscapedByte(int first, int second) {
    return static_cast<unsigned char>((16 * first + second) & 0xFF);
}

} // namespace quorlen::codec_detail
