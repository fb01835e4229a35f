#pragma once

namespace quorlen {

// libcurl's process-wide set-up, done exactly once before the first handle of any thread.
// It is never undone: transfers may run until the process ends.
void EnsureCurlInitialized();

} // namespace quorlen
