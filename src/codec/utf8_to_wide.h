#pragma once

#include <string>
#include <string_view>

namespace quorlen {

// UTF-8 to UTF-16 as Windows' own converter does it (code page 65001, no flags): every
// malformed sequence becomes U+FFFD by Windows' counting, which differs from ICU's and
// iconv's (ED A0 80, a UTF-8-encoded surrogate, gives two U+FFFD, not three). Nothing is
// normalised, a byte-order mark is kept, a zero byte gives U+0000, and characters past
// U+FFFF become surrogate pairs.
std::u16string Utf8ToWide(std::string_view utf8);

} // namespace quorlen
