#pragma once

#include <cstdint>

namespace quorlen::codec_detail {

inline constexpr char32_t kReplacement = 0xFFFD;

// Decodes the sequence that starts at `at` (which must be before `end`) the way Windows'
// UTF-8 converter does, and moves `at` past the bytes it used:
// - a stray continuation byte and each of C0, C1 and F5..FF give one U+FFFD;
// - a sequence cut short gives one U+FFFD, and the byte that cut it is left to be decoded
//   again (so an ASCII byte after a broken lead survives);
// - a continuation byte after E0, ED, F0 or F4 that lies outside that lead's range (which
//   is how overlong forms, surrogates and code points past U+10FFFF begin) gives one
//   U+FFFD for the two bytes; any continuation bytes after it are then stray, one U+FFFD
//   each.
inline char32_t DecodeUtf8Sequence(const std::uint8_t*& at, const std::uint8_t* end) {
    const std::uint8_t lead = *at++;
    if (lead < 0x80)
        return lead;
    if (lead < 0xC2 || lead > 0xF4)
        return kReplacement;

    int trailing;
    char32_t code;
    std::uint8_t low = 0x80;
    std::uint8_t high = 0xBF;
    if (lead < 0xE0) {
        trailing = 1;
        code = lead & 0x1F;
    } else if (lead < 0xF0) {
        trailing = 2;
        code = lead & 0x0F;
        if (lead == 0xE0)
            low = 0xA0;
        else if (lead == 0xED)
            high = 0x9F;
    } else {
        trailing = 3;
        code = lead & 0x07;
        if (lead == 0xF0)
            low = 0x90;
        else if (lead == 0xF4)
            high = 0x8F;
    }

    if (at == end || (*at & 0xC0) != 0x80)
        return kReplacement;
    if (*at < low || *at > high) {
        ++at;
        return kReplacement;
    }
    code = (code << 6) | (*at++ & 0x3F);
    for (int i = 1; i < trailing; ++i) {
        if (at == end || (*at & 0xC0) != 0x80)
            return kReplacement;
        code = (code << 6) | (*at++ & 0x3F);
    }
    return code;
}

} // namespace quorlen::codec_detail
