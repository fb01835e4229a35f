#pragma once

#include "text/text.h"

#include <cstdint>
#include <string_view>

namespace quorlen {

// Text colours as the window takes them, 0x00BBGGRR.
namespace colors {
inline constexpr std::uint32_t kBlack = 0;      // defaults
inline constexpr std::uint32_t kGreen = 65280;  // found values, online
inline constexpr std::uint32_t kRed = 255;      // any other online phrase
inline constexpr std::uint32_t kOrange = 33023; // a user that does not exist
} // namespace colors

// What a profile query writes: the main window's controls, addressed by their layout names
// (GBK, see control_names.h), one property at a time. The window implements it by handing
// each write to its own thread in order; the command line and the tests record the writes in
// a DisplayModel. Writes may come from any thread, one at a time.
class Display {
public:
    virtual ~Display() = default;

    // The caption of a label, button or group box; the content of an edit box.
    virtual void SetText(std::string_view control, std::string_view text) = 0;
    virtual void SetTextColor(std::string_view control, std::uint32_t color) = 0;
    virtual void SetStrikeout(std::string_view control, bool strikeout) = 0;
    // Image bytes as fetched; empty bytes clear the picture.
    virtual void SetPicture(std::string_view control, const Bytes& picture) = 0;
};

} // namespace quorlen
