#include "platform/transfer_limits.h"

#include <atomic>
#include <cstdint>

namespace quorlen {

namespace {

std::atomic<std::int64_t> g_connectMs{kDefaultTransferTimeouts.connect.count()};
std::atomic<std::int64_t> g_idleMs{kDefaultTransferTimeouts.idle.count()};
std::atomic<bool> g_aborted{false};

} // namespace

void SetTransferTimeouts(std::chrono::milliseconds connect, std::chrono::milliseconds idle) {
    g_connectMs.store(connect.count());
    g_idleMs.store(idle.count());
}

TransferTimeouts CurrentTransferTimeouts() {
    return {std::chrono::milliseconds(g_connectMs.load()),
            std::chrono::milliseconds(g_idleMs.load())};
}

void AbortAllTransfers() {
    g_aborted.store(true);
}

bool TransfersAborted() {
    return g_aborted.load();
}

} // namespace quorlen
