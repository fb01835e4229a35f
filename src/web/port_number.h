#pragma once

#include <string_view>

namespace quorlen {

// Reads the longest numeric beginning of a GBK text as a whole number: leading blanks
// (ASCII white space and the full-width space) are skipped, full-width digits, sign and
// decimal point count like their ASCII forms, a fraction is cut off towards zero, and a
// text that does not begin with a number reads as 0. Values beyond the 32-bit range are
// clamped to it.
int ReadPortNumber(std::string_view text);

} // namespace quorlen
