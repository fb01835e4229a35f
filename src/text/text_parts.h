#pragma once

#include "text/text.h"

namespace quorlen {

// `count` bytes from the 1-based `position`, cut at the end of the text; empty for a
// position outside the text or a count below 1.
Text TextMiddle(std::string_view text, int position, int count);

// The first / last `count` bytes, all of the text when it is shorter, empty below 1.
Text TextLeft(std::string_view text, int count);
Text TextRight(std::string_view text, int count);

} // namespace quorlen
