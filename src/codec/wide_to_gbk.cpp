#include "codec/wide_to_gbk.h"

#include "codec/gbk_table.h"

namespace quorlen {

Text WideToGbk(std::u16string_view wide) {
    using namespace codec_detail;
    const GbkTable& table = SharedGbkTable();
    Text gbk(wide.size() * 2, '\0');
    char* out = gbk.data();
    const std::size_t count = wide.size();
    for (std::size_t i = 0; i < count;) {
        const char16_t unit = wide[i];
        if (unit == 0)
            break;
        if (i + 1 < count) {
            const std::uint16_t composed = ComposedGbk(table, unit, wide[i + 1]);
            if (composed != kUnmappable) {
                out = PutGbk(out, composed);
                i += 2;
                continue;
            }
        }
        // Code page 936 holds no character beyond the BMP (the tests check every one), so
        // a surrogate pair comes out as one "?" per unit, just as lone surrogates do.
        out = PutGbk(out, table.bytes[unit]);
        ++i;
    }
    gbk.resize(static_cast<std::size_t>(out - gbk.data()));
    return gbk;
}

} // namespace quorlen
