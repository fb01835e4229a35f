#include "codec/utf8_to_wide.h"

#include "codec/utf8_sequence.h"

namespace quorlen {

std::u16string Utf8ToWide(std::string_view utf8) {
    std::u16string wide;
    wide.reserve(utf8.size());
    auto at = reinterpret_cast<const std::uint8_t*>(utf8.data());
    const auto end = at + utf8.size();
    while (at < end) {
        const char32_t code = codec_detail::DecodeUtf8Sequence(at, end);
        if (code < 0x10000) {
            wide.push_back(static_cast<char16_t>(code));
        } else {
            wide.push_back(static_cast<char16_t>(0xD7C0 + (code >> 10)));
            wide.push_back(static_cast<char16_t>(0xDC00 | (code & 0x3FF)));
        }
    }
    return wide;
}

} // namespace quorlen
