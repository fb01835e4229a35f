// Shutdown aborts every transfer of the process for good, so it has a program of its own.
#include "query/display_model.h"
#include "query/query_launch.h"
#include "support/recording_server.h"
#include "web/http_class.h"

#include <chrono>
#include <gtest/gtest.h>
#include <thread>

namespace quorlen {
namespace {

// Shutting down while a worker waits on a server that does not answer ends it at once, and
// the worker writes nothing.
TEST(ProfileQueryLauncher, ShutdownStopsARunningWorker) {
    RecordingServer server;
    server.Handle("/p/hang/detail",
                  [&server](const httplib::Request&, httplib::Response& response) {
                      for (int i = 0; i < 500 && !server.Stopping(); ++i)
                          std::this_thread::sleep_for(std::chrono::milliseconds(10));
                      response.set_content("late", "text/html");
                  });
    QueryState state;
    HttpClass http;
    DisplayModel model;
    std::future<ProfileOutcome> outcome;
    std::chrono::steady_clock::time_point shutdownStarted;
    {
        ProfileQueryLauncher launcher(state, http, *ServiceConfigForOrigin(server.BaseUrl()));
        outcome = launcher.StartProfileQuery("hang", model);
        while (server.RequestCount() == 0)
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        shutdownStarted = std::chrono::steady_clock::now();
    }
    EXPECT_LT(std::chrono::steady_clock::now() - shutdownStarted, std::chrono::seconds(3));
    EXPECT_TRUE(outcome.get().superseded);
    EXPECT_TRUE(model.Writes().empty());

    ProfileQueryLauncher later(state, http, *ServiceConfigForOrigin(server.BaseUrl()));
    later.Shutdown();
    EXPECT_TRUE(later.StartProfileQuery("hang", model).get().superseded);
}

} // namespace
} // namespace quorlen
