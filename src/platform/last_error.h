#pragma once

#include <string>

namespace quorlen {

// The value a failed platform call leaves behind on its thread, like the last-error value
// of the system this program imitates. Calls that succeed leave it alone; a caller that
// wants to know whether one operation failed clears it first.
struct PlatformError {
    int code = 0; // 0: no error; otherwise one of the codes in platform/inet_errors.h
    std::string text;
};

// This thread's last error.
const PlatformError& LastPlatformError();
void SetLastPlatformError(int code, std::string text);
void ClearLastPlatformError();

} // namespace quorlen
