#include "codec/utf8_to_gbk.h"

#include "codec/gbk_table.h"
#include "codec/utf8_sequence.h"

#include <cstring>

namespace quorlen {

namespace {

constexpr std::uint64_t kHighBits = 0x8080808080808080;
constexpr std::uint64_t kLowBits = 0x0101010101010101;

// True when any of the eight bytes is not ASCII or is zero.
bool NeedsCare(std::uint64_t word) {
    return ((word | ((word - kLowBits) & ~word)) & kHighBits) != 0;
}

} // namespace

Text Utf8ToGbk(std::string_view utf8) {
    using namespace codec_detail;
    const GbkTable& table = SharedGbkTable();
    // Every UTF-8 sequence, and every byte of a malformed one, gives at most as many GBK
    // bytes as it has, so the input's size is enough.
    Text gbk(utf8.size(), '\0');
    char* out = gbk.data();
    auto at = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto end = at + utf8.size();

    // The last unit written on its own and where its bytes begin: a combining mark after
    // it may still replace both with the precomposed character. 0 when there is none.
    char16_t previous = 0;
    char* previousAt = out;
    while (at < end) {
        if (*at < 0x80) {
            if (*at == 0)
                break;
            // ASCII runs, most of a page, go straight through eight bytes at a time. No
            // ASCII byte composes with the unit before it.
            while (end - at >= 8) {
                std::uint64_t word;
                std::memcpy(&word, at, 8);
                if (NeedsCare(word))
                    break;
                std::memcpy(out, at, 8);
                out += 8;
                at += 8;
            }
            while (at < end && *at < 0x80 && *at != 0)
                *out++ = static_cast<char>(*at++);
            previous = static_cast<unsigned char>(out[-1]);
            previousAt = out - 1;
            continue;
        }

        const char32_t code = DecodeUtf8Sequence(at, end);
        if (code > 0xFFFF) {
            // Nothing beyond the BMP is in code page 936: one "?" per UTF-16 unit, and a
            // surrogate never starts a composition.
            *out++ = '?';
            *out++ = '?';
            previous = 0;
            continue;
        }
        const auto unit = static_cast<char16_t>(code);
        if (previous != 0) {
            const std::uint16_t composed = ComposedGbk(table, previous, unit);
            if (composed != kUnmappable) {
                out = PutGbk(previousAt, composed);
                previous = 0;
                continue;
            }
        }
        previousAt = out;
        out = PutGbk(out, table.bytes[unit]);
        previous = unit;
    }
    gbk.resize(static_cast<std::size_t>(out - gbk.data()));
    return gbk;
}

} // namespace quorlen
