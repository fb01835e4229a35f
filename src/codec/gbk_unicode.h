#pragma once

#include "text/text.h"

#include <string>
#include <string_view>

namespace quorlen {

// Conversions at the program's edges, where GBK texts meet the window toolkit, file names
// and the command line, which all speak Unicode.

// GBK to UTF-8 / UTF-16 with code page 936's table, which gives every byte and every
// well-formed pair a character (0x80 is the euro sign, FF and the unassigned pairs are
// private-use characters). What is left gives one "?": a lead byte at the end, and a lead
// byte followed by a byte that cannot be a trail byte (00-3F, 7F, FF), which is then read
// again, so an ASCII byte after a stray lead byte survives ("\x81" "0" gives "?0"). The
// text ends at its first zero byte.
std::string GbkToUtf8(std::string_view gbk);
std::u16string GbkToWide(std::string_view gbk);

// What a user typed, in UTF-8, as GBK, the way an ANSI edit box hands it over: Windows'
// best fit where GBK lacks a character, "?" for each UTF-16 unit it cannot write, and no
// composition of combining marks. Malformed UTF-8 gives "?" per sequence by Utf8ToWide's
// counting. The result ends at the first zero byte.
Text UserUtf8ToGbk(std::string_view utf8);

} // namespace quorlen
