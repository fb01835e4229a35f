#pragma once

#include "text/text.h"

namespace quorlen {

// Decodes a whole fetched page: undoes every percent-escape, then converts the bytes from
// UTF-8 to code page 936 (Utf8ToGbk). Every "%" starts an escape and always takes the two
// bytes after it, also where the page meant a plain percent sign ("100%;}" loses ";}").
// A digit is read from its byte with ASCII lower-case letters taken as upper case: 0-9
// and A-F count 0..15, any other byte -2, and a position past the end 0; the escape gives
// the low eight bits of 16 * first + second ("%;}" gives DE), and a resulting zero byte
// gives nothing. A plus sign stays a plus sign. The page ends at its first zero byte.
Text UrlDecodeUtf8(std::string_view page);

// The first stage alone: the page's bytes with the escapes undone, still UTF-8.
std::string PercentDecode(std::string_view page);

} // namespace quorlen
