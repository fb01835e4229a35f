// Splits the input into a text and a marker and runs the marker routines over them.
#include "query/find_marker.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size < 2)
        return 0;
    // The first byte chooses the marker length and the flags; the rest is marker + text.
    const std::size_t markerLength = std::min<std::size_t>(data[0] & 0x0F, size - 1);
    const bool ignoreCase = data[0] & 0x10;
    const std::string_view rest(reinterpret_cast<const char*>(data + 1), size - 1);
    const std::string_view marker = rest.substr(0, markerLength);
    const std::string_view text = rest.substr(markerLength);

    const int start = static_cast<int>(data[0] >> 5) - 2;
    const int at = quorlen::FindMarker(text, marker, start, ignoreCase);
    if (at != -1 && (at < 1 || static_cast<std::size_t>(at) + marker.size() - 1 > text.size()))
        __builtin_trap();

    int position = start;
    for (int step = 0; step < 4; ++step) {
        const auto cut = quorlen::CutBetween(text, marker, marker.substr(0, 1), position);
        if (position < 0 || static_cast<std::size_t>(position) > text.size() + 1 ||
            cut.size() > text.size())
            __builtin_trap();
    }
    return 0;
}
