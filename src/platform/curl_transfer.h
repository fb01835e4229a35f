#pragma once

#include "text/text.h"

#include <atomic>
#include <string>
#include <string_view>
#include <vector>

namespace quorlen {

// One HTTP exchange over libcurl, as the internet functions and the whole-body GET need it:
// the request goes out exactly as described here (curl adds only Host and, when a body is
// sent, Content-Length), redirects are followed, and the answer is buffered whole.
struct TransferRequest {
    std::string url;                      // only http and https are fetched
    std::string method = "GET";           // a token; GET, POST and HEAD get their own handling
    std::vector<std::string> headerLines; // sent in this order, each without its CR LF
    std::string_view body;                // sent when not empty, and always for POST
    std::string agent;                    // empty: no User-Agent line
    std::string proxy;                    // "scheme://host:port", empty for a direct connection
    std::string noProxy;                  // curl's comma-separated list of hosts to reach directly
    bool http10 = false;
    bool rejectUserInUrl = false;              // "user@host" is taken as a host name, not a login
    const std::atomic<bool>* cancel = nullptr; // checked while the transfer runs
};

struct TransferResult {
    bool ok = false;
    int errorCode = 0; // see platform/inet_errors.h
    std::string errorText;
    Bytes body;
    // The final response's status line and header lines, each ending CR LF, then the blank
    // line; the answers to followed redirects are not part of it.
    std::string headerBlock;
};

// Blocks until the answer is complete, the transfer fails, or it is aborted.
TransferResult PerformTransfer(const TransferRequest& request);

// Percent-encodes the bytes that may not stand in an address (controls, space, DEL) and
// leaves everything else as it is.
std::string EscapeUnsafeUrlBytes(std::string_view address);

} // namespace quorlen
