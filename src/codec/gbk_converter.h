#pragma once

#include <memory>
#include <unicode/ucnv.h>

namespace quorlen::codec_detail {

struct ConverterCloser {
    void operator()(UConverter* converter) const { ucnv_close(converter); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

// Code page 936 as Windows has it: ICU's "windows-936-2000" table with ICU's fallbacks
// switched on, which stand for Windows' best-fit mappings (À gives à A8A4, ² gives 2).
// Towards GBK it writes one "?" for each UTF-16 unit it cannot map (an emoji, two units,
// gives "??"); from GBK it writes U+003F for each sequence it cannot read. Whenever it
// does either it sets `*substituted` (when given), which must outlive the converter.
// Null when ICU cannot open the table. A converter serves one thread at a time.
ConverterPtr OpenGbkConverter(bool* substituted = nullptr);

} // namespace quorlen::codec_detail
