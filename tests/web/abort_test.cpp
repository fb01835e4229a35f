#include "platform/inet_errors.h"
#include "platform/last_error.h"
#include "platform/transfer_limits.h"
#include "platform/whole_body_get.h"
#include "support/raw_server.h"
#include "web/http_class.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <gtest/gtest.h>
#include <thread>

namespace quorlen {
namespace {

using namespace std::chrono_literals;

// The abort is for good, so each case runs in a child process of its own.
class AbortDeathTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

[[noreturn]] void ExitWith(bool ok, const char* what) {
    if (!ok)
        std::fprintf(stderr, "failed: %s\n", what);
    std::fflush(stderr);
    std::_Exit(ok ? 0 : 1);
}

// Two transfers wait on silent and endless servers; the abort ends both quickly, and the
// next request fails at once.
void AbortRunningTransfers() {
    bool ok = true;
    const char* what = "";
    {
        RawServer silent(RawServer::Silent());
        RawServer endless(RawServer::Trickle("HTTP/1.1 200 OK\r\nContent-Length: 100\r\n\r\n",
                                             std::string(100, 't'), 50ms));
        Text text = "unset";
        Bytes image{1};
        int textError = 0;
        int imageError = 0;
        std::thread page([&] {
            text = HttpClass().FetchText(silent.BaseUrl() + "/page");
            textError = LastPlatformError().code;
        });
        std::thread picture([&] {
            image = FetchWholeBody(endless.BaseUrl() + "/img");
            imageError = LastPlatformError().code;
        });
        while (silent.RequestHeads().empty() || endless.RequestHeads().empty())
            std::this_thread::sleep_for(10ms);
        std::this_thread::sleep_for(200ms);
        const auto start = std::chrono::steady_clock::now();
        AbortAllTransfers();
        page.join();
        picture.join();
        const auto waited = std::chrono::steady_clock::now() - start;
        if (waited > 2s)
            ok = false, what = "transfers outlived the abort";
        else if (text != "" || textError != kErrorAborted)
            ok = false, what = "page not aborted";
        else if (!image.empty() || imageError != kErrorAborted)
            ok = false, what = "image not aborted";

        const auto again = std::chrono::steady_clock::now();
        if (ok && (!FetchWholeBody(endless.BaseUrl() + "/again").empty() ||
                   LastPlatformError().text != "aborted" || endless.RequestHeads().size() != 1 ||
                   std::chrono::steady_clock::now() - again > 1s))
            ok = false, what = "a new request after the abort did not fail at once";
        if (ok && !TransfersAborted())
            ok = false, what = "the abort did not stay";
    }
    ExitWith(ok, what);
}

TEST_F(AbortDeathTest, EndsRunningTransfersAndRefusesNewOnes) {
    EXPECT_EXIT(AbortRunningTransfers(), ::testing::ExitedWithCode(0), "");
}

} // namespace
} // namespace quorlen
