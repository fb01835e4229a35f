#include "codec/gbk_table.h"

#include "codec/gbk_converter.h"

#include <memory>
#include <mutex>

namespace quorlen::codec_detail {

namespace {

void Build(GbkTable& table) {
    table.bytes.fill(kUnmappable);
    for (std::uint16_t unit = 0; unit < 0x80; ++unit)
        table.bytes[unit] = unit;

    UErrorCode error = U_ZERO_ERROR;
    const icu::Normalizer2* nfc = icu::Normalizer2::getNFCInstance(error);
    if (U_SUCCESS(error) && nfc != nullptr) {
        table.nfc = nfc;
        for (UChar32 unit = 0; unit < 0x10000; ++unit)
            table.maybeComposes[static_cast<std::size_t>(unit)] = !nfc->hasBoundaryBefore(unit);
    }

    bool substituted = false;
    const ConverterPtr converter = OpenGbkConverter(&substituted);
    if (!converter)
        return;
    for (std::uint32_t unit = 0x80; unit < 0x10000; ++unit) {
        if (unit >= 0xD800 && unit <= 0xDFFF)
            continue;
        const auto source = static_cast<UChar>(unit);
        char bytes[8];
        substituted = false;
        error = U_ZERO_ERROR;
        const int32_t length =
            ucnv_fromUChars(converter.get(), bytes, sizeof bytes, &source, 1, &error);
        if (U_FAILURE(error) || substituted || length < 1 || length > 2)
            continue;
        const auto first = static_cast<unsigned char>(bytes[0]);
        table.bytes[unit] =
            length == 1
                ? first
                : static_cast<std::uint16_t>(first << 8 | static_cast<unsigned char>(bytes[1]));
    }
}

} // namespace

const GbkTable& SharedGbkTable() {
    static std::once_flag once;
    static std::unique_ptr<GbkTable> table;
    std::call_once(once, [] {
        table = std::make_unique<GbkTable>();
        Build(*table);
    });
    return *table;
}

} // namespace quorlen::codec_detail
