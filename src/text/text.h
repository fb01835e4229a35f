#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace quorlen {

// A GBK (code page 936) byte string. It holds no zero byte: every route that turns raw
// bytes into a Text stops at the first zero, as a zero-terminated string would.
// Lengths and positions are bytes; positions are 1-based and -1 means "not found".
using Text = std::string;

// A counted byte buffer (page bytes before decoding, image data); zero bytes allowed.
using Bytes = std::vector<std::uint8_t>;

// A byte of 0x81..0xFF begins a two-byte GBK character. 0x80 (the euro sign in code
// page 936) stands alone.
constexpr bool IsGbkLeadByte(unsigned char byte) {
    return byte >= 0x81;
}

inline int TextLength(std::string_view text) {
    return static_cast<int>(text.size());
}

// Joins the parts in order; an empty part simply adds nothing.
Text JoinTexts(std::initializer_list<std::string_view> parts);

// Byte-wise comparison as unsigned values: 0 when equal, -1 or 1 otherwise.
int CompareTexts(std::string_view a, std::string_view b);

} // namespace quorlen
