#pragma once

#include "query/display_model.h"
#include "query/profile_worker.h"

#include <string>
#include <string_view>

namespace quorlen {

// The window's texts after one query as a person reads them, UTF-8: the name and address,
// the online status and the avatar, then each group box's caption and its fields, one
// control per line (line breaks inside a text become two spaces, other control characters
// U+FFFD), then a blank line.
std::string TextReport(std::string_view utf8Name, const ProfileOutcome& outcome,
                       const DisplayModel& model);

// One line of JSON for the query: name, address, avatar address, online phrase, whether the
// user exists, and the profile field controls, the online status and the avatar picture
// keyed by their layout names, texts in UTF-8.
std::string JsonReport(std::string_view utf8Name, const ProfileOutcome& outcome,
                       const DisplayModel& model);

} // namespace quorlen
