#include "codec/url_decode.h"

#include "codec/utf8_to_gbk.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace quorlen {

namespace {

constexpr std::array<signed char, 256> kDigitValues = [] {
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

// Undoes the escapes. A zero byte ends the page as it would end a zero-terminated one. One
// read as a digit ends it here; one outside an escape is copied, and the conversion stops
// at it, which saves looking for zero bytes in the long runs between escapes.
std::string UndoEscapes(std::string_view page, const char* firstPercent) {
    std::string decoded;
    decoded.reserve(page.size());
    const char* at = page.data();
    const char* end = at + page.size();
    const char* percent = firstPercent;
    while (percent != nullptr) {
        decoded.append(at, percent);
        int digits[2] = {0, 0};
        const char* next = percent + 1;
        for (int& digit : digits) {
            if (next == end || *next == 0) {
                end = next;
                break;
            }
            digit = kDigitValues[static_cast<unsigned char>(*next++)];
        }
        const auto byte = static_cast<char>((16 * digits[0] + digits[1]) & 0xFF);
        if (byte != 0)
            decoded.push_back(byte);
        at = next;
        percent =
            static_cast<const char*>(std::memchr(at, '%', static_cast<std::size_t>(end - at)));
    }
    decoded.append(at, end);
    return decoded;
}

} // namespace

Text UrlDecodeUtf8(std::string_view page) {
    const void* percent = std::memchr(page.data(), '%', page.size());
    if (percent == nullptr)
        return Utf8ToGbk(page);
    return Utf8ToGbk(UndoEscapes(page, static_cast<const char*>(percent)));
}

std::string PercentDecode(std::string_view page) {
    const void* percent = std::memchr(page.data(), '%', page.size());
    std::string decoded =
        percent ? UndoEscapes(page, static_cast<const char*>(percent)) : std::string(page);
    // Escapes never give a zero byte, so any zero left is one the page held.
    decoded.resize(std::min(decoded.size(), decoded.find('\0')));
    return decoded;
}

} // namespace quorlen
