#include "codec/gbk_unicode.h"

#include "codec/gbk_converter.h"
#include "codec/gbk_table.h"
#include "codec/utf8_to_wide.h"

#include <unicode/ustring.h>

namespace quorlen {

std::u16string GbkToWide(std::string_view gbk) {
    gbk = gbk.substr(0, gbk.find('\0'));
    if (gbk.empty())
        return {};
    // A converter must not be shared between threads, and opening one costs more than a
    // short conversion, so each thread keeps its own; a reset clears what the previous call
    // may have left in it.
    thread_local const codec_detail::ConverterPtr converter = codec_detail::OpenGbkConverter();
    if (!converter)
        return {};
    ucnv_reset(converter.get());
    // One unit per byte at most: a pair gives one unit, and so does anything unreadable.
    std::u16string wide(gbk.size(), u'\0');
    UErrorCode error = U_ZERO_ERROR;
    const int32_t length = ucnv_toUChars(converter.get(), reinterpret_cast<UChar*>(wide.data()),
                                         static_cast<int32_t>(wide.size()), gbk.data(),
                                         static_cast<int32_t>(gbk.size()), &error);
    if (U_FAILURE(error))
        return {};
    wide.resize(static_cast<std::size_t>(length));
    return wide;
}

std::string GbkToUtf8(std::string_view gbk) {
    const std::u16string wide = GbkToWide(gbk);
    if (wide.empty())
        return {};
    // Nothing the converter gives is a lone surrogate, so three bytes per unit suffice.
    std::string utf8(wide.size() * 3, '\0');
    int32_t length = 0;
    UErrorCode error = U_ZERO_ERROR;
    u_strToUTF8(utf8.data(), static_cast<int32_t>(utf8.size()), &length,
                reinterpret_cast<const UChar*>(wide.data()), static_cast<int32_t>(wide.size()),
                &error);
    if (U_FAILURE(error))
        return {};
    utf8.resize(static_cast<std::size_t>(length));
    return utf8;
}

Text UserUtf8ToGbk(std::string_view utf8) {
    const codec_detail::GbkTable& table = codec_detail::SharedGbkTable();
    const std::u16string wide = Utf8ToWide(utf8);
    Text gbk(wide.size() * 2, '\0');
    char* out = gbk.data();
    for (const char16_t unit : wide) {
        if (unit == 0)
            break;
        out = codec_detail::PutGbk(out, table.bytes[unit]);
    }
    gbk.resize(static_cast<std::size_t>(out - gbk.data()));
    return gbk;
}

} // namespace quorlen
