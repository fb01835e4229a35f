#pragma once

#include "query/display.h"

#include <map>
#include <mutex>
#include <vector>

namespace quorlen {

// The state of one control as the writes left it.
struct ControlState {
    Text text;
    std::uint32_t color = colors::kBlack;
    bool strikeout = false;
    Bytes picture;
};

// One write as it reached the model, for checking the order in which a query wrote.
struct DisplayWrite {
    enum class Kind { Text, TextColor, Strikeout, Picture };
    Kind kind;
    Text control;
    Text text;               // Kind::Text
    std::uint32_t value = 0; // the colour, the strikeout flag or the picture's size
};

// A plain model of the main window's controls: every control of the layout with its
// initial text, colour 0, strikeout off and no picture. It records every write, also one
// to a name the layout does not have (which then appears as a control of its own), and can
// be written from any thread.
class DisplayModel final : public Display {
public:
    DisplayModel();

    void SetText(std::string_view control, std::string_view text) override;
    void SetTextColor(std::string_view control, std::uint32_t color) override;
    void SetStrikeout(std::string_view control, bool strikeout) override;
    void SetPicture(std::string_view control, const Bytes& picture) override;

    // A copy of the control's state; a default state for a name never seen.
    ControlState Control(std::string_view name) const;
    bool HasControl(std::string_view name) const;
    std::vector<Text> ControlNames() const;
    std::vector<DisplayWrite> Writes() const;

private:
    ControlState& StateOf(std::string_view control);

    mutable std::mutex m_mutex;
    std::map<Text, ControlState, std::less<>> m_controls;
    std::vector<DisplayWrite> m_writes;
};

} // namespace quorlen
