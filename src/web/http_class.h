#pragma once

#include "text/text.h"

#include <string_view>

namespace quorlen {

// The web-access class. It keeps no state: every request opens and closes its own
// handles, and two requests share nothing but the process-wide cookie store. (The
// original's object carries seven members that no operation reads or writes; they are
// left out.)
class HttpClass {
public:
    // A GET with the default headers; the body up to its first zero byte, without any
    // conversion. "" for an empty body and for a failed request.
    Text FetchText(std::string_view address) const;

    // The general request. `method` (upper-cased into the caller's variable): empty or GET,
    // or POST; any other method fails without sending. `proxy`: "host:port" of an HTTP
    // proxy, blank for a direct connection. `headers`: extra lines each ending "\r\n"; the
    // caller's variable receives the block as sent. `data`: the body of a POST.
    // `responseHeaders` receives the raw response header block (1024 blanks when it does not
    // fit in 1024 bytes). Returns the body whatever the status, or 255 zero bytes when the
    // request could not be made. This thread's last platform error is cleared first, so
    // afterwards a non-zero code means nothing could be fetched.
    Bytes WebRequest(std::string_view address, Text* method = nullptr, std::string_view proxy = {},
                     Text* headers = nullptr, std::string_view data = {},
                     Text* responseHeaders = nullptr) const;

    Text UrlHost(std::string_view address, bool stripPort = false) const;
    int UrlPort(std::string_view address) const;
    Text UrlPath(std::string_view address) const;

    // The page decoding of codec/url_decode.h.
    Text UrlDecodeUtf8(std::string_view page) const;
};

} // namespace quorlen
