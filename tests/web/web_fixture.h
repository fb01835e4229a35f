#pragma once

#include "platform/cookie_store.h"
#include "platform/last_error.h"
#include "platform/transfer_limits.h"
#include "text/text.h"

#include <gtest/gtest.h>
#include <string>

namespace quorlen {

// Every web test starts with an empty cookie store, no last error and the platform's
// time-outs, and leaves them so.
class WebTest : public ::testing::Test {
protected:
    void SetUp() override { Reset(); }
    void TearDown() override { Reset(); }

    static void Reset() {
        ClearCookieStore();
        ClearLastPlatformError();
        SetTransferTimeouts(kDefaultTransferTimeouts.connect, kDefaultTransferTimeouts.idle);
    }

    // Short enough that a test waiting for the idle timer stays quick.
    static void UseShortIdleTimeout() {
        SetTransferTimeouts(kDefaultTransferTimeouts.connect, std::chrono::milliseconds(300));
    }
};

inline std::string AsString(const Bytes& bytes) {
    return std::string(bytes.begin(), bytes.end());
}

inline Bytes AsBytes(std::string_view text) {
    return Bytes(text.begin(), text.end());
}

// An address on 127.0.0.1 where nothing listens (the port of a listener just closed).
std::string RefusingAddress();

} // namespace quorlen
