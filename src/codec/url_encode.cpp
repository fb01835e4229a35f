#include "codec/url_encode.h"

#include <array>

namespace quorlen {

namespace {

constexpr bool IsCopied(unsigned char byte) {
    return byte == '*' || (byte >= ',' && byte <= ':') || (byte >= '@' && byte <= 'Z') ||
           byte == '_' || (byte >= 'a' && byte <= 'z');
}

constexpr std::array<bool, 256> kCopied = [] {
    std::array<bool, 256> copied{};
    for (int byte = 0; byte < 256; ++byte)
        copied[static_cast<std::size_t>(byte)] = IsCopied(static_cast<unsigned char>(byte));
    return copied;
}();

} // namespace

Text UrlEncode(std::string_view text) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    Text encoded;
    encoded.reserve(text.size() * 3);
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (kCopied[byte]) {
            encoded.push_back(c);
        } else {
            encoded.push_back('%');
            encoded.push_back(kDigits[byte >> 4]);
            encoded.push_back(kDigits[byte & 0xF]);
        }
    }
    return encoded;
}

} // namespace quorlen
