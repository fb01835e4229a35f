#pragma once

#include "text/text.h"

#include <string_view>

namespace quorlen {

// UTF-16 to code page 936 as WideCharToMultiByte(936, WC_COMPOSITECHECK) gives it:
// - a unit followed by one that composes with it (e + U+0301) becomes the precomposed
//   character when code page 936 can write that (é, A8 A6); otherwise, and when the pair
//   composes to nothing, the two units are converted one by one. Only pairs compose, not
//   longer runs, and nothing else is normalised (U+F92C stays FD 9C);
// - Windows' best fit stands in for characters GBK lacks where it has one (À gives à
//   A8 A4, ² gives 2);
// - everything else, U+FFFD among it, gives one "?" per UTF-16 unit: "??" for an emoji,
//   "?" for a lone surrogate.
// The result ends before the first U+0000, since a Text holds no zero byte.
Text WideToGbk(std::u16string_view wide);

} // namespace quorlen
