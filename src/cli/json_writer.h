#pragma once

#include <string>
#include <string_view>

namespace quorlen {

// Appends `text` as a JSON string literal: quotes, backslashes and control characters
// escaped, and every byte that does not belong to well-formed UTF-8 replaced by U+FFFD, so
// the output is valid UTF-8 and valid JSON whatever the input.
void AppendJsonString(std::string& out, std::string_view text);

} // namespace quorlen
