// Decodes arbitrary bytes as a fetched page. The result must be a Text (no zero byte), no
// longer than the page, and equal to what the plain reference stages give; the UTF-8 to
// GBK pass on its own must match the reference too.
#include "codec/reference_conversion.h"
#include "codec/url_decode.h"
#include "codec/utf8_to_gbk.h"
#include "codec/utf8_to_wide.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view page(reinterpret_cast<const char*>(data), size);

    const quorlen::Text decoded = quorlen::UrlDecodeUtf8(page);
    if (decoded.find('\0') != quorlen::Text::npos || decoded.size() > size)
        __builtin_trap();
    if (decoded != quorlen::reference::UrlDecodeUtf8(page))
        __builtin_trap();
    if (quorlen::PercentDecode(page) != quorlen::reference::PercentDecode(page))
        __builtin_trap();

    const std::u16string wide = quorlen::Utf8ToWide(page);
    if (wide != quorlen::reference::Utf8ToWide(page))
        __builtin_trap();
    if (quorlen::Utf8ToGbk(page) != quorlen::reference::WideToGbk(wide))
        __builtin_trap();
    return 0;
}
