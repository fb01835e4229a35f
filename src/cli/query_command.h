#pragma once

#include <ostream>
#include <span>
#include <string_view>

namespace quorlen {

// The whole of quorlen-query: runs one query per name, in order, each on a fresh model of
// the window, through the same launcher and worker as the window, and prints the reports.
// `environmentOrigin` is QUORLEN_SERVICE_ORIGIN as read at start ("" when unset).
// Returns 0 when every page was fetched, 1 when some page could not be fetched at all (each
// such address and the platform's error go to `err`), 2 for a usage error.
int RunQueryCommand(std::span<const std::string_view> arguments, std::string_view environmentOrigin,
                    std::ostream& out, std::ostream& err);

} // namespace quorlen
