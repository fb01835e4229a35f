#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <unicode/normalizer2.h>

namespace quorlen::codec_detail {

// A table entry for a unit code page 936 has nothing for, written as "?". No GBK code can
// be FFFF: FF is never a trail byte.
inline constexpr std::uint16_t kUnmappable = 0xFFFF;

// What the GBK converter makes of each BMP unit on its own, read out of ICU once so that
// the hot loops ask ICU nothing per character. Immutable after it is built, so any thread
// may read it.
struct GbkTable {
    // The GBK bytes of the unit: below 0x100 a single byte, otherwise lead * 256 + trail;
    // kUnmappable for the units the converter writes as "?", lone surrogates among them.
    std::array<std::uint16_t, 0x10000> bytes;

    // The units that may join the unit before them in a canonical composition (ICU's
    // "no composition boundary before"): a superset of the second halves of every pair,
    // so composePair is asked only when the answer might be yes.
    std::bitset<0x10000> maybeComposes;

    const icu::Normalizer2* nfc = nullptr;
};

// Built on first use; thread-safe.
const GbkTable& SharedGbkTable();

// The GBK bytes of the character that `base` followed by `mark` composes to, or
// kUnmappable when they compose to nothing or to a character code page 936 cannot write.
inline std::uint16_t ComposedGbk(const GbkTable& table, char16_t base, char16_t mark) {
    if (!table.maybeComposes[mark] || table.nfc == nullptr)
        return kUnmappable;
    const UChar32 composed = table.nfc->composePair(base, mark);
    if (composed < 0 || composed > 0xFFFF)
        return kUnmappable;
    return table.bytes[static_cast<std::size_t>(composed)];
}

// Writes the bytes of a table entry at `out` and returns the position after them.
inline char* PutGbk(char* out, std::uint16_t bytes) {
    if (bytes == kUnmappable) {
        *out++ = '?';
    } else if (bytes < 0x100) {
        *out++ = static_cast<char>(bytes);
    } else {
        *out++ = static_cast<char>(bytes >> 8);
        *out++ = static_cast<char>(bytes & 0xFF);
    }
    return out;
}

} // namespace quorlen::codec_detail
