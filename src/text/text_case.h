#pragma once

#include "text/text.h"

namespace quorlen {

// Case mapping of ASCII letters only. A byte of 0x80 or more is passed over together
// with the byte after it, so the second byte of a GBK character (which may look like a
// letter) is never changed.
Text ToUpperAscii(std::string_view text);
Text ToLowerAscii(std::string_view text);

} // namespace quorlen
