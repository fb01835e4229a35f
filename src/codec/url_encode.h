#pragma once

#include "text/text.h"

namespace quorlen {

// Percent-encodes byte by byte, without looking at characters: asterisk, comma, hyphen,
// full stop, slash, the digits, colon, at sign, the ASCII letters and underscore are
// copied; every other byte becomes "%" and two upper-case hexadecimal digits. So the
// second byte of a GBK character is copied when it happens to be one of those
// (B0 41 gives "%B0A").
Text UrlEncode(std::string_view text);

// The encoding-conversion object the program keeps for its lifetime. It holds nothing,
// so creating, copying and destroying one costs nothing; it only gives the operations a
// home.
class EncodingClass {
public:
    Text UrlEncode(std::string_view text) const { return quorlen::UrlEncode(text); }
};

} // namespace quorlen
