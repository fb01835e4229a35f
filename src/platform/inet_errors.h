#pragma once

namespace quorlen {

// Codes of the last error that the internet functions leave (platform/last_error.h).
// Codes below 1000 are the libcurl result of the failed transfer; the named ones are those
// a caller may want to tell apart. Codes from 1000 on are failures before any transfer.
inline constexpr int kErrorProtocolNotAllowed = 1; // an address or redirect not http/https
inline constexpr int kErrorMalformedAddress = 3;
inline constexpr int kErrorCouldNotResolve = 6;
inline constexpr int kErrorCouldNotConnect = 7; // "connection refused" and its kin
inline constexpr int kErrorCutShort = 18;       // the connection closed inside the body
inline constexpr int kErrorTimedOut = 28;       // connecting, or nothing arrived for too long
inline constexpr int kErrorAborted = 42;        // AbortAllTransfers, or the request was closed
inline constexpr int kErrorTooManyRedirects = 47;
inline constexpr int kErrorTooLarge = 63; // the response passed kMaxResponseBytes
inline constexpr int kErrorInvalidHandle = 1001;
inline constexpr int kErrorInvalidArgument = 1002;
inline constexpr int kErrorInsufficientBuffer = 1003;
inline constexpr int kErrorNoResponse = 1004; // no successful exchange to take headers from
inline constexpr int kErrorCookieRejected = 1005;

} // namespace quorlen
