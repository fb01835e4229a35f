#include "cli/query_command.h"

#include "cli/profile_report.h"
#include "cli/query_options.h"
#include "codec/gbk_unicode.h"
#include "platform/curl_global.h"
#include "query/query_launch.h"
#include "web/http_class.h"

#include <thread>
#include <vector>

namespace quorlen {

namespace {

int UsageError(std::ostream& err, std::string_view message) {
    err << "quorlen-query: " << message << "\n" << kQueryUsage;
    return 2;
}

} // namespace

int RunQueryCommand(std::span<const std::string_view> arguments, std::string_view environmentOrigin,
                    std::ostream& out, std::ostream& err) {
    std::string error;
    const std::optional<QueryOptions> options = ParseQueryOptions(arguments, error);
    if (!options)
        return UsageError(err, error);
    if (options->help) {
        out << kQueryUsage;
        return 0;
    }
    const std::string_view origin = options->origin ? *options->origin : environmentOrigin;
    const std::optional<ServiceConfig> config = ServiceConfigForOrigin(origin);
    if (!config) {
        return UsageError(err, "the origin " + std::string(origin) +
                                   " is not http:// or https:// with a host and optional port");
    }

    // libcurl's set-up (its TLS library's with it) and the first conversion to GBK each take
    // a few milliseconds at start; side by side they shorten a short run noticeably.
    std::thread curlSetUp(EnsureCurlInitialized);
    std::vector<Text> gbkNames;
    for (const std::string& name : options->names)
        gbkNames.push_back(UserUtf8ToGbk(name));
    curlSetUp.join();

    QueryState state;
    HttpClass http;
    ProfileQueryLauncher launcher(state, http, *config);
    int status = 0;
    for (std::size_t i = 0; i < gbkNames.size(); ++i) {
        const std::string& name = options->names[i];
        DisplayModel model;
        const ProfileOutcome outcome = launcher.StartProfileQuery(gbkNames[i], model).get();
        if (!outcome.pageFetched) {
            err << "quorlen-query: cannot fetch " << GbkToUtf8(outcome.profileUrl) << ": "
                << outcome.fetchError.text << " (error " << outcome.fetchError.code << ")\n";
            status = 1;
        }
        out << (options->json ? JsonReport(name, outcome, model)
                              : TextReport(name, outcome, model));
        out.flush();
    }
    return status;
}

} // namespace quorlen
