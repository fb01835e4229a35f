#pragma once

#include "text/text.h"

namespace quorlen {

// UTF-8 to code page 936: exactly WideToGbk(Utf8ToWide(utf8)), in one pass without the
// UTF-16 intermediate. So malformed UTF-8 comes out as "?" by Windows' counting, a base
// followed by a combining mark as the precomposed character where GBK has it, and the
// result ends at the first zero byte.
Text Utf8ToGbk(std::string_view utf8);

} // namespace quorlen
