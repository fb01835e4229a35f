#pragma once

#include "text/text.h"

namespace quorlen {

// The first occurrence of `marker` at or after the 1-based `start` (below 1 counts as 1)
// that begins on a character boundary of the whole text, or -1. Boundaries are counted
// from the text's first byte: 0x81..0xFF begins a two-byte character, 0x00..0x80 stands
// alone. With `ignoreCase`, ASCII letters of the text match either case, and the second
// byte of each two-byte character of the marker must still match exactly.
// Runs in time linear in the text length and allocates nothing.
int FindMarker(std::string_view text, std::string_view marker, int start = 1,
               bool ignoreCase = false);

// The bytes between the first `front` at or after `position` and the next `back` after
// it. On return `position` is the first byte after `back`, or 0 when either marker is
// missing (so the next search starts again at the top of the text).
Text CutBetween(std::string_view text, std::string_view front, std::string_view back,
                int& position);

// `length` bytes from the 1-based `start`, cut at the end of the text; empty for a start
// outside the text or a length below 1.
Text MidText(std::string_view text, int start, int length);

} // namespace quorlen
