#include "web/port_number.h"

#include <algorithm>
#include <cstdint>
#include <limits>

namespace quorlen {

namespace {

// One character of the text, with the full-width forms (GBK A3 xx, and the ideographic
// space A1 A1) folded onto their ASCII twins so the reader below sees only ASCII.
class FoldedReader {
public:
    explicit FoldedReader(std::string_view text) : m_text(text) {}

    char Peek() const {
        if (m_at >= m_text.size())
            return '\0';
        const auto lead = static_cast<unsigned char>(m_text[m_at]);
        if (lead < 0x80)
            return static_cast<char>(lead);
        if (m_at + 1 >= m_text.size())
            return '\0';
        const auto trail = static_cast<unsigned char>(m_text[m_at + 1]);
        if (lead == 0xA1 && trail == 0xA1)
            return ' ';
        // GBK A3 A1..A3 FE mirrors ASCII 0x21..0x7E (full-width forms, U+FF01..U+FF5E).
        if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
            return static_cast<char>(trail - 0x80);
        return '\0';
    }

    void Advance() { m_at += static_cast<unsigned char>(m_text[m_at]) < 0x80 ? 1 : 2; }

private:
    std::string_view m_text;
    std::size_t m_at = 0;
};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f';
}

} // namespace

int ReadPortNumber(std::string_view text) {
    FoldedReader reader(text);
    while (IsBlank(reader.Peek()))
        reader.Advance();
    bool negative = false;
    if (reader.Peek() == '+' || reader.Peek() == '-') {
        negative = reader.Peek() == '-';
        reader.Advance();
    }
    // The fraction after a decimal point is dropped, so only the whole digits matter.
    constexpr std::int64_t kLimit = std::numeric_limits<std::int32_t>::max() + std::int64_t{1};
    std::int64_t value = 0;
    for (char c = reader.Peek(); c >= '0' && c <= '9'; c = reader.Peek()) {
        value = std::min(kLimit, value * 10 + (c - '0'));
        reader.Advance();
    }
    if (negative)
        return static_cast<int>(-value);
    return static_cast<int>(
        std::min<std::int64_t>(value, std::numeric_limits<std::int32_t>::max()));
}

} // namespace quorlen
