#include "platform/last_error.h"

#include <utility>

namespace quorlen {

namespace {

thread_local PlatformError t_lastError;

} // namespace

const PlatformError& LastPlatformError() {
    return t_lastError;
}

void SetLastPlatformError(int code, std::string text) {
    t_lastError.code = code;
    t_lastError.text = std::move(text);
}

void ClearLastPlatformError() {
    t_lastError = PlatformError{};
}

} // namespace quorlen
