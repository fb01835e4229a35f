#pragma once

#include "text/text.h"

namespace quorlen {

// The byte at the 1-based position as a number 0..255; 0 outside the text.
int CharCode(std::string_view text, int position = 1);

// A one-byte text of the low eight bits of `code`; 0 gives the empty text, since a Text
// holds no zero byte.
Text CharFromCode(int code);

// Upper-case hexadecimal digits without leading zeros ("0" for zero).
Text HexUpper(std::uint32_t value);

// All bytes of the text, without a terminating zero.
Bytes TextToBytes(std::string_view text);

// The bytes up to the first zero byte, or all of them.
Text BytesToText(const Bytes& bytes);
Text BytesToText(const std::uint8_t* data, std::size_t size);

} // namespace quorlen
