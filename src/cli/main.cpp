// quorlen-query: the profile query without the window. See RunQueryCommand.
#include "cli/query_command.h"
#include "query/service_config.h"

#include <iostream>
#include <string_view>
#include <vector>

int main(int argc, char** argv) {
    const std::vector<std::string_view> arguments(argv + 1, argv + argc);
    return quorlen::RunQueryCommand(arguments, quorlen::ServiceOriginFromEnvironment(), std::cout,
                                    std::cerr);
}
