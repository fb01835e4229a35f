#pragma once

#include "text/text.h"

namespace quorlen {

// An address is read as an optional "http://" prefix (any case), a host part up to the
// first "/" after it, and a path from that "/" on. No other scheme, user information,
// query or fragment is known: "https://h/x" has the host part "https:".

// The host part, ASCII-lower-cased; without the ":" and what follows when `stripPort`.
Text UrlHost(std::string_view address, bool stripPort = false);

// The number after the first ":" of the host part, 80 without one. Leading blanks are
// skipped, full-width digits count, and the longest numeric beginning is read (0 when
// there is none); a fraction is cut off towards zero.
int UrlPort(std::string_view address);

// From the "/" that ends the host part to the end, unchanged; "/" when there is none.
Text UrlPath(std::string_view address);

} // namespace quorlen
