#pragma once

#include <string>
#include <vector>

namespace quorlen {

// The process-wide cookie store behind InternetSetCookie, safe to use from any thread.
// Only InternetSetCookie fills it, never a response by itself: every transfer sends the
// stored cookies that match its address, and cookies that responses set along a redirect
// chain count only within that chain.

// The live cookies in the order they were first stored, one Netscape cookie-file line
// each: domain, subdomains TRUE/FALSE, path, secure TRUE/FALSE, expiry (0 for the
// session), name, value. Cookies that have expired are dropped first.
std::vector<std::string> CookieStoreLines();

void ClearCookieStore();

} // namespace quorlen
