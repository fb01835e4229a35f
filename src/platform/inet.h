#pragma once

#include <cstdint>

namespace quorlen {

// Our own internet functions in the shape of the eight calls of the Windows internet
// library that the web layer uses, over libcurl. Texts are zero-terminated; a null pointer
// stands for "no value". Every failing call leaves this thread's last error
// (platform/last_error.h) with a code from platform/inet_errors.h and a short text.
//
// Handles are opaque values, 0 on failure. Open and connect only collect settings; each
// handle copies what it needs from its parent, so handles may be closed in any order. The
// send runs the exchange until the final response's headers are in; reading then takes
// the body from the connection as it arrives (at most kMaxResponseBytes in all). Closing a
// request whose send or read is running on another thread makes that call fail as aborted.
using InetHandle = std::uintptr_t;

inline constexpr std::uint32_t kInternetOpenTypePreconfig = 0; // no system proxy here: direct
inline constexpr std::uint32_t kInternetOpenTypeDirect = 1;
inline constexpr std::uint32_t kInternetOpenTypeProxy = 3;
inline constexpr std::uint32_t kInternetServiceHttp = 3;
inline constexpr std::uint32_t kInternetFlagReload = 0x80000000; // nothing is ever cached here
inline constexpr std::uint32_t kInternetFlagSecure = 0x00800000; // https instead of http
inline constexpr std::uint32_t kHttpQueryRawHeadersCrlf = 22;

// `proxy` for kInternetOpenTypeProxy: entries "host:port" (any scheme) or "scheme=host:port",
// separated by ";"; blanks are dropped, since no host name or port holds one. `proxyBypass`:
// host names to reach directly, separated by ";" or blanks.
InetHandle InternetOpen(const char* agent, std::uint32_t accessType, const char* proxy,
                        const char* proxyBypass, std::uint32_t flags);

// Port 0 means the default port of the scheme. Unlike the platform, which keeps the low
// 16 bits of any number, a port outside 0..65535 fails here instead of reaching another
// server. User name and password are not supported and must be empty.
InetHandle InternetConnect(InetHandle internet, const char* serverName, int port,
                           const char* userName, const char* password, std::uint32_t service,
                           std::uint32_t flags, std::uintptr_t context);

// `verb` null or empty: GET. `version` null, "HTTP/1.1" or "HTTP/1.0". `referrer` and the
// null-terminated list `acceptTypes` become Referer and Accept lines unless the headers of
// the send hold their own.
InetHandle HttpOpenRequest(InetHandle connection, const char* verb, const char* objectName,
                           const char* version, const char* referrer,
                           const char* const* acceptTypes, std::uint32_t flags,
                           std::uintptr_t context);

// `headers`: lines each ending CR LF, `headersLength` bytes of them (the platform's "-1 for
// zero-terminated" is accepted too). The request goes out with exactly these lines, the
// agent and the Host line. Redirects are followed (at most 10), to http and https only.
bool HttpSendRequest(InetHandle request, const char* headers, std::uint32_t headersLength,
                     const void* optional, std::uint32_t optionalLength);

// Copies up to `bytesToRead` bytes of the body, waiting for them if need be; `*bytesRead`
// 0 with true means the end. False when the exchange failed (also part way through the
// body, for instance at the size limit), with its last error again on every later call.
bool InternetReadFile(InetHandle request, void* buffer, std::uint32_t bytesToRead,
                      std::uint32_t* bytesRead);

// Only kHttpQueryRawHeadersCrlf: the final response's status line and header lines, each
// ending CR LF, then an empty line, and a terminating zero. `*bufferLength` holds the size
// of `buffer` in bytes; on success it receives the length without the zero. When the block
// and its zero do not fit, the call fails, leaves the buffer alone, and `*bufferLength`
// receives the size needed. `index` is not supported and must be null. An exchange that
// failed, even after its headers came, has no headers to give.
bool HttpQueryInfo(InetHandle request, std::uint32_t infoLevel, void* buffer,
                   std::uint32_t* bufferLength, std::uint32_t* index);

// Stores a cookie for the host of the http or https `url` in the process-wide store.
// `cookieName` empty or null: `cookieData` is the whole "name=value; attributes". The
// attributes path, domain, expires, max-age and secure are honoured; a domain that does
// not cover the url's host is refused, and an expiry in the past removes the cookie.
bool InternetSetCookie(const char* url, const char* cookieName, const char* cookieData);

bool InternetCloseHandle(InetHandle handle);

} // namespace quorlen
