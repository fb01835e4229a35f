#include "codec/url_decode.h"

#include "codec/percent_digits.h"
#include "codec/utf8_to_gbk.h"
#include "codec/utf8_to_gbk_pass.h"

#include <algorithm>
#include <cstring>

namespace quorlen {

Text UrlDecodeUtf8(std::string_view page) {
    if (std::memchr(page.data(), '%', page.size()) == nullptr)
        return Utf8ToGbk(page);
    return codec_detail::EscapedUtf8ToGbk(page);
}

std::string PercentDecode(std::string_view page) {
    std::string decoded;
    decoded.reserve(page.size());
    const char* at = page.data();
    const char* end = at + page.size();
    while (const auto* percent =
               static_cast<const char*>(std::memchr(at, '%', static_cast<std::size_t>(end - at)))) {
        decoded.append(at, percent);
        int digits[2] = {0, 0};
        at = percent + 1;
        for (int& digit : digits) {
            // A zero byte ends the page, also where a digit should be.
            if (at == end || *at == 0) {
                end = at;
                break;
            }
            digit = codec_detail::kDigitValues[static_cast<unsigned char>(*at++)];
        }
        if (const unsigned char byte = codec_detail::EscapedByte(digits[0], digits[1]); byte != 0)
            decoded.push_back(static_cast<char>(byte));
    }
    decoded.append(at, end);
    // Escapes never give a zero byte, so a zero left here is one the page held outside them.
    decoded.resize(std::min(decoded.size(), decoded.find('\0')));
    return decoded;
}

} // namespace quorlen
