#include "codec/reference_conversion.h"

#include "codec/gbk_converter.h"

#include <unicode/normalizer2.h>
#include <unicode/utf16.h>

namespace quorlen::reference {

namespace {

int DigitValue(std::string_view text, std::size_t position) {
    if (position > text.size())
        return 0;
    auto byte = static_cast<unsigned char>(text[position - 1]);
    if (byte >= 'a' && byte <= 'z')
        byte = static_cast<unsigned char>(byte - 'a' + 'A');
    static constexpr std::string_view kDigits = "0123456789ABCDEF";
    const std::size_t index = kDigits.find(static_cast<char>(byte));
    return index == std::string_view::npos ? -2 : static_cast<int>(index);
}

bool IsContinuation(unsigned char byte) {
    return byte >= 0x80 && byte <= 0xBF;
}

void AppendCodePoint(std::u16string& wide, UChar32 code) {
    if (code <= 0xFFFF) {
        wide.push_back(static_cast<char16_t>(code));
    } else {
        wide.push_back(static_cast<char16_t>(U16_LEAD(code)));
        wide.push_back(static_cast<char16_t>(U16_TRAIL(code)));
    }
}

Text ConvertWithIcu(UConverter* converter, std::u16string_view wide) {
    if (wide.empty())
        return {};
    const auto* source = reinterpret_cast<const UChar*>(wide.data());
    const auto length = static_cast<int32_t>(wide.size());
    UErrorCode error = U_ZERO_ERROR;
    const int32_t needed = ucnv_fromUChars(converter, nullptr, 0, source, length, &error);
    if (error != U_BUFFER_OVERFLOW_ERROR && U_FAILURE(error))
        return {};
    std::string bytes(static_cast<std::size_t>(needed), '\0');
    error = U_ZERO_ERROR;
    ucnv_fromUChars(converter, bytes.data(), needed, source, length, &error);
    if (U_FAILURE(error))
        return {};
    return bytes;
}

} // namespace

std::string PercentDecode(std::string_view page) {
    page = page.substr(0, page.find('\0'));
    const std::size_t n = page.size();
    std::string decoded;
    std::size_t i = 1;
    while (i <= n) {
        if (page[i - 1] != '%') {
            decoded.push_back(page[i - 1]);
            i += 1;
            continue;
        }
        const int first = DigitValue(page, i + 1);
        const int second = DigitValue(page, i + 2);
        const int byte = (16 * first + second) & 0xFF;
        if (byte != 0)
            decoded.push_back(static_cast<char>(byte));
        i += 3;
    }
    return decoded;
}

std::u16string Utf8ToWide(std::string_view utf8) {
    std::u16string wide;
    const std::size_t n = utf8.size();
    const auto byteAt = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    std::size_t i = 0;
    while (i < n) {
        const unsigned char lead = byteAt(i);
        if (lead < 0x80) {
            wide.push_back(lead);
            i += 1;
            continue;
        }
        std::size_t length = 0;
        unsigned char low = 0x80, high = 0xBF;
        if (lead >= 0xC2 && lead <= 0xDF) {
            length = 2;
        } else if (lead >= 0xE0 && lead <= 0xEF) {
            length = 3;
            low = lead == 0xE0 ? 0xA0 : 0x80;
            high = lead == 0xED ? 0x9F : 0xBF;
        } else if (lead >= 0xF0 && lead <= 0xF4) {
            length = 4;
            low = lead == 0xF0 ? 0x90 : 0x80;
            high = lead == 0xF4 ? 0x8F : 0xBF;
        }
        if (length == 0) {
            // Stray continuation byte, C0, C1, F5..FF.
            wide.push_back(0xFFFD);
            i += 1;
            continue;
        }
        if (i + 1 >= n || !IsContinuation(byteAt(i + 1))) {
            wide.push_back(0xFFFD);
            i += 1;
            continue;
        }
        if (byteAt(i + 1) < low || byteAt(i + 1) > high) {
            wide.push_back(0xFFFD);
            i += 2;
            continue;
        }
        std::size_t got = 2;
        while (got < length && i + got < n && IsContinuation(byteAt(i + got)))
            ++got;
        if (got < length) {
            wide.push_back(0xFFFD);
            i += got;
            continue;
        }
        UChar32 code = lead & (length == 2 ? 0x1F : length == 3 ? 0x0F : 0x07);
        for (std::size_t k = 1; k < length; ++k)
            code = (code << 6) | (byteAt(i + k) & 0x3F);
        AppendCodePoint(wide, code);
        i += length;
    }
    return wide;
}

Text WideToGbk(std::u16string_view wide) {
    bool substituted = false;
    const codec_detail::ConverterPtr converter = codec_detail::OpenGbkConverter(&substituted);
    UErrorCode error = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(error);
    if (!converter || U_FAILURE(error))
        return {};

    std::u16string composed;
    for (std::size_t i = 0; i < wide.size();) {
        if (i + 1 < wide.size()) {
            const UChar32 pair = nfc->composePair(wide[i], wide[i + 1]);
            if (pair >= 0) {
                std::u16string alone;
                AppendCodePoint(alone, pair);
                substituted = false;
                ConvertWithIcu(converter.get(), alone);
                if (!substituted) {
                    composed += alone;
                    i += 2;
                    continue;
                }
            }
        }
        composed.push_back(wide[i]);
        i += 1;
    }
    const Text bytes = ConvertWithIcu(converter.get(), composed);
    return bytes.substr(0, bytes.find('\0'));
}

Text UrlDecodeUtf8(std::string_view page) {
    return WideToGbk(Utf8ToWide(PercentDecode(page)));
}

} // namespace quorlen::reference
