#include "cli/query_options.h"

namespace quorlen {

std::optional<QueryOptions> ParseQueryOptions(std::span<const std::string_view> arguments,
                                              std::string& error) {
    QueryOptions options;
    bool optionsEnded = false;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string_view argument = arguments[i];
        // A lone "-" is a name like any other.
        if (optionsEnded || !argument.starts_with("-") || argument == "-") {
            options.names.emplace_back(argument);
        } else if (argument == "--") {
            optionsEnded = true;
        } else if (argument == "--json") {
            options.json = true;
        } else if (argument == "--help" || argument == "-h") {
            options.help = true;
        } else if (argument == "--origin") {
            if (i + 1 == arguments.size()) {
                error = "--origin needs a value";
                return std::nullopt;
            }
            options.origin = std::string(arguments[++i]);
        } else if (argument.starts_with("--origin=")) {
            options.origin = std::string(argument.substr(9));
        } else {
            error = "unknown option " + std::string(argument);
            return std::nullopt;
        }
    }
    if (options.names.empty() && !options.help) {
        error = "no NAME given";
        return std::nullopt;
    }
    return options;
}

} // namespace quorlen
