#pragma once

#include "query/display.h"
#include "query/main_window_layout.h"

#include <span>
#include <string_view>

namespace quorlen {

// One field of the profile page and the control that shows it. All texts are GBK.
struct ProfileField {
    std::string_view heading; // the section heading the label is searched from
    std::string_view label;
    std::string_view front; // the value lies between the first front marker after the label
    std::string_view back;  // and the next back marker
    std::string_view prefix;
    std::string_view control;
    ControlKind kind;
    std::string_view defaultText;
    // Company rows only: the years that follow the company, and the text put before them.
    std::string_view yearsFront = {};
    std::string_view yearsBack = {};
    std::string_view yearsPrefix = {};
};

// The 28 fields in the order they are processed: basic data, detailed data, interests,
// education (rows 1 to 25), then the three company rows of the work section.
std::span<const ProfileField> ProfileFieldTable();

// Writes every field control's default text in black. The online status and the avatar are
// not touched.
void ResetProfileFields(Display& display);

// Finds each section heading and field label in the cropped page and writes the values found,
// after their prefixes, in green. A field that is not found keeps what the display shows.
void FillProfileSections(Display& display, std::string_view page);

} // namespace quorlen
