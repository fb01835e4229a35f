#pragma once

#include "text/text.h"

namespace quorlen::codec_detail {

// UrlDecodeUtf8 in one pass: the escapes undone on the way into the UTF-8 decoding, with
// no intermediate copy of the page.
Text EscapedUtf8ToGbk(std::string_view page);

} // namespace quorlen::codec_detail
