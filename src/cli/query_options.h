#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace quorlen {

// The command line of quorlen-query: [--json] [--origin ORIGIN] [--] NAME...
struct QueryOptions {
    bool json = false;
    bool help = false;
    std::optional<std::string> origin; // --origin, which wins over the environment
    std::vector<std::string> names;    // UTF-8, as given
};

inline constexpr std::string_view kQueryUsage =
    "usage: quorlen-query [--json] [--origin ORIGIN] [--] NAME...\n"
    "Looks up each NAME's profile and prints what the window would show.\n"
    "  --json           one JSON object per name instead of text\n"
    "  --origin ORIGIN  scheme and host of the service, e.g. http://127.0.0.1:8089\n"
    "                   (also taken from QUORLEN_SERVICE_ORIGIN; this option wins)\n";

// The options, or nullopt with `error` set for a command line that cannot be used. Only a
// syntax check: the origin is checked where it is applied.
std::optional<QueryOptions> ParseQueryOptions(std::span<const std::string_view> arguments,
                                              std::string& error);

} // namespace quorlen
