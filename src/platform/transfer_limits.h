#pragma once

#include <chrono>
#include <cstddef>

namespace quorlen {

// The platform this program imitates gives up connecting after 60 s and receiving after
// 30 s without data. The receive limit is an idle timer: a slow but steady answer is
// never cut off, however long it takes in total.
struct TransferTimeouts {
    std::chrono::milliseconds connect;
    std::chrono::milliseconds idle;
};
inline constexpr TransferTimeouts kDefaultTransferTimeouts{std::chrono::seconds(60),
                                                           std::chrono::seconds(30)};

// Process-wide; a transfer reads them when it starts. Tests shorten them.
void SetTransferTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds idle);
TransferTimeouts CurrentTransferTimeouts();

// Unlike the platform, a response body (or header block) larger than this is not read into
// memory: the transfer stops and counts as nothing fetched.
inline constexpr std::size_t kMaxResponseBytes = std::size_t{64} * 1024 * 1024;

// For shutdown: every running transfer ends within a fraction of a second, and every
// transfer started afterwards fails at once. There is no way back.
void AbortAllTransfers();
bool TransfersAborted();

} // namespace quorlen
