#include "codec/utf8_to_gbk.h"

#include "codec/gbk_table.h"
#include "codec/percent_digits.h"
#include "codec/utf8_sequence.h"
#include "codec/utf8_to_gbk_pass.h"

#include <cstring>

namespace quorlen {

namespace {

using namespace codec_detail;

constexpr std::uint64_t kHighBits = 0x8080808080808080;
constexpr std::uint64_t kLowBits = 0x0101010101010101;
constexpr std::uint64_t kPercents = 0x2525252525252525;

// High bit set in each byte of an ASCII word that is zero (exact for ASCII words).
constexpr std::uint64_t ZeroBytes(std::uint64_t word) {
    return (word - kLowBits) & ~word;
}

// True when any of the eight bytes is not ASCII, is zero, or (with escapes) is "%".
template <bool kEscapes>
bool NeedsCare(std::uint64_t word) {
    std::uint64_t care = word | ZeroBytes(word);
    if constexpr (kEscapes)
        care |= ZeroBytes(word ^ kPercents);
    return (care & kHighBits) != 0;
}

// Writes GBK into a buffer the caller sized, remembering the last unit written on its own
// so that a combining mark after it can still replace both with the precomposed character.
class GbkWriter {
public:
    GbkWriter(const GbkTable& table, char* out) : m_table(table), m_out(out) {}

    char* End() const { return m_out; }

    // At least one ASCII byte, none of them zero. No ASCII byte composes with the unit
    // before it.
    void PutAscii(const std::uint8_t* from, std::size_t count) {
        std::memcpy(m_out, from, count);
        m_out += count;
        m_previous = from[count - 1];
        m_previousAt = m_out - 1;
    }

    // The ASCII run that starts at `at` (with escapes, up to the next "%"), found eight
    // bytes at a time; `at` moves past it.
    template <bool kEscapes>
    void PutAsciiRun(const std::uint8_t*& at, const std::uint8_t* end) {
        const std::uint8_t* from = at;
        while (end - at >= 8 && !NeedsCare<kEscapes>(Word(at)))
            at += 8;
        while (at < end && *at < 0x80 && *at != 0 && !(kEscapes && *at == '%'))
            ++at;
        PutAscii(from, static_cast<std::size_t>(at - from));
    }

    void Put(char32_t code) {
        if (code > 0xFFFF) {
            // Nothing beyond the BMP is in code page 936: one "?" per UTF-16 unit, and a
            // surrogate never starts a composition.
            *m_out++ = '?';
            *m_out++ = '?';
            m_previous = 0;
            return;
        }
        const auto unit = static_cast<char16_t>(code);
        if (m_previous != 0) {
            const std::uint16_t composed = ComposedGbk(m_table, m_previous, unit);
            if (composed != kUnmappable) {
                m_out = PutGbk(m_previousAt, composed);
                m_previous = 0;
                return;
            }
        }
        m_previousAt = m_out;
        m_out = PutGbk(m_out, m_table.bytes[unit]);
        m_previous = unit;
    }

    // Decoded bytes that hold no zero byte.
    void PutUtf8(const std::uint8_t* at, const std::uint8_t* end) {
        while (at < end)
            Put(DecodeUtf8Sequence(at, end));
    }

private:
    static std::uint64_t Word(const std::uint8_t* at) {
        std::uint64_t word;
        std::memcpy(&word, at, 8);
        return word;
    }

    const GbkTable& m_table;
    char* m_out;
    char16_t m_previous = 0; // 0 when there is none
    char* m_previousAt = nullptr;
};

// Undoes the escapes from `at` on, together with the raw continuation bytes among them,
// and converts the bytes so gathered. `at` is a "%" or the raw lead byte of a sequence that
// an escape cut short. After it the stretch ends at a raw byte that is neither (ASCII or a
// lead byte): no UTF-8 sequence goes on past one, so the stretch decodes just as the whole
// decoded page would there. Returns where it stopped, always past `at`; sets `ended` when
// a zero byte was read as a digit, since the page ends at it.
const std::uint8_t* PutEscapedStretch(const std::uint8_t* at, const std::uint8_t* end,
                                      GbkWriter& writer, std::string& bytes, bool& ended) {
    bytes.clear();
    if (*at != '%')
        bytes.push_back(static_cast<char>(*at++));
    while (at < end && !ended) {
        if (*at >= 0x80 && *at <= 0xBF) {
            bytes.push_back(static_cast<char>(*at++));
        } else if (*at == '%') {
            ++at;
            int digits[2] = {0, 0};
            for (int& digit : digits) {
                if (at == end || *at == 0) {
                    ended = true;
                    break;
                }
                digit = kDigitValues[*at++];
            }
            if (const unsigned char byte = EscapedByte(digits[0], digits[1]); byte != 0)
                bytes.push_back(static_cast<char>(byte));
        } else {
            break;
        }
    }
    const auto* decoded = reinterpret_cast<const std::uint8_t*>(bytes.data());
    writer.PutUtf8(decoded, decoded + bytes.size());
    return at;
}

template <bool kEscapes>
Text ConvertToGbk(std::string_view input) {
    // Every UTF-8 sequence, every byte of a malformed one and every escape gives at most
    // as many GBK bytes as it has, so the input's size is enough.
    Text gbk(input.size(), '\0');
    GbkWriter writer(SharedGbkTable(), gbk.data());
    std::string stretch;
    auto at = reinterpret_cast<const std::uint8_t*>(input.data());
    const auto end = at + input.size();
    while (at < end) {
        const std::uint8_t byte = *at;
        if (byte == 0)
            break;
        if (byte < 0x80 && !(kEscapes && byte == '%')) {
            // ASCII runs, most of a page, go straight through.
            writer.PutAsciiRun<kEscapes>(at, end);
            continue;
        }
        if constexpr (kEscapes) {
            bool ended = false;
            if (byte == '%') {
                at = PutEscapedStretch(at, end, writer, stretch, ended);
                if (ended)
                    break;
                continue;
            }
            // A raw sequence decodes straight from the page unless an escape cuts it
            // short: the escape may carry its continuation bytes, so decode it again with
            // the escapes undone.
            const std::uint8_t* start = at;
            const char32_t code = DecodeUtf8Sequence(at, end);
            if (code == kReplacement && at < end && *at == '%') {
                at = PutEscapedStretch(start, end, writer, stretch, ended);
                if (ended)
                    break;
                continue;
            }
            writer.Put(code);
        } else {
            writer.Put(DecodeUtf8Sequence(at, end));
        }
    }
    gbk.resize(static_cast<std::size_t>(writer.End() - gbk.data()));
    return gbk;
}

} // namespace

Text Utf8ToGbk(std::string_view utf8) {
    return ConvertToGbk<false>(utf8);
}

namespace codec_detail {

Text EscapedUtf8ToGbk(std::string_view page) {
    return ConvertToGbk<true>(page);
}

} // namespace codec_detail

} // namespace quorlen
