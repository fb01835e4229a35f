#pragma once

#include "text/text.h"

#include <string>
#include <string_view>

// Slow, plain versions of the page decoding, written step by step with no shortcut and
// with ICU doing every GBK conversion itself. The fast routines are proved against them
// on random input by the differential test and the fuzz target; the program never calls
// them.
namespace quorlen::reference {

// The percent stage alone, position by position; the page ends at its first zero byte.
std::string PercentDecode(std::string_view page);

// Windows' UTF-8 decoding, written as its rules read.
std::u16string Utf8ToWide(std::string_view utf8);

// Pairs composed with ICU's composePair where ICU's GBK converter can write the result,
// then the whole text through that converter, cut at the first zero byte.
Text WideToGbk(std::u16string_view wide);

// WideToGbk(Utf8ToWide(PercentDecode(page))).
Text UrlDecodeUtf8(std::string_view page);

} // namespace quorlen::reference
