#pragma once

#include "text/text.h"

#include <string_view>

namespace quorlen {

// The address of a user's profile page: `profileBase` + "/p/" + the GBK name percent-encoded
// byte by byte + "/detail". Any name is accepted, the empty one too.
Text ProfileAddress(std::string_view profileBase, std::string_view gbkName);

} // namespace quorlen
