#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace quorlen {

// Bytes as hexadecimal, for failure messages about GBK and UTF-8 texts.
inline std::string ShowBytes(std::string_view bytes) {
    std::string shown;
    char hex[4];
    for (const char c : bytes) {
        std::snprintf(hex, sizeof hex, "%02X ", static_cast<unsigned char>(c));
        shown += hex;
    }
    return shown;
}

// Empty when equal, otherwise where two long outputs first part and a few bytes of each
// from there, so a failure does not print megabytes.
inline std::string FirstDifference(std::string_view got, std::string_view expected) {
    if (got == expected)
        return {};
    std::size_t at = 0;
    while (at < got.size() && at < expected.size() && got[at] == expected[at])
        ++at;
    const std::size_t from = at < 8 ? 0 : at - 8;
    return "sizes " + std::to_string(got.size()) + " / " + std::to_string(expected.size()) +
           ", first difference at byte " + std::to_string(at) + ": got " +
           ShowBytes(got.substr(std::min(from, got.size()), 24)) + "| expected " +
           ShowBytes(expected.substr(std::min(from, expected.size()), 24));
}

} // namespace quorlen
