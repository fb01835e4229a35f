#include "cli/query_options.h"

#include <gtest/gtest.h>

namespace quorlen {
namespace {

TEST(ParseQueryOptions, ReadsOptionsAndNames) {
    struct Case {
        const char* name;
        std::vector<std::string_view> arguments;
        bool valid;
        bool json = false;
        std::optional<std::string> origin = std::nullopt;
        std::vector<std::string> names = {};
    } cases[] = {
        {"one name", {"zhang"}, true, false, std::nullopt, {"zhang"}},
        {"json and names in order", {"b", "--json", "a"}, true, true, std::nullopt, {"b", "a"}},
        {"origin", {"--origin", "http://h:1", "x"}, true, false, "http://h:1", {"x"}},
        {"origin with equals", {"--origin=http://h", "x"}, true, false, "http://h", {"x"}},
        {"empty name", {""}, true, false, std::nullopt, {""}},
        {"names after --", {"--", "--json", "-x"}, true, false, std::nullopt, {"--json", "-x"}},
        {"lone dash is a name", {"-"}, true, false, std::nullopt, {"-"}},
        {"last origin wins", {"--origin", "a", "--origin", "b", "n"}, true, false, "b", {"n"}},
        {"no name", {"--json"}, false},
        {"nothing", {}, false},
        {"unknown option", {"--jsn", "x"}, false},
        {"short unknown option", {"-j", "x"}, false},
        {"origin without value", {"x", "--origin"}, false},
    };
    for (const Case& c : cases) {
        std::string error;
        const std::optional<QueryOptions> options = ParseQueryOptions(c.arguments, error);
        ASSERT_EQ(options.has_value(), c.valid) << c.name;
        if (!options) {
            EXPECT_FALSE(error.empty()) << c.name;
            continue;
        }
        EXPECT_EQ(options->json, c.json) << c.name;
        EXPECT_EQ(options->origin, c.origin) << c.name;
        EXPECT_EQ(options->names, c.names) << c.name;
    }
}

TEST(ParseQueryOptions, HelpNeedsNoName) {
    std::string error;
    const std::vector<std::string_view> arguments = {"--help"};
    const std::optional<QueryOptions> options = ParseQueryOptions(arguments, error);
    ASSERT_TRUE(options);
    EXPECT_TRUE(options->help);
}

} // namespace
} // namespace quorlen
