#pragma once

#include "text/text.h"

#include <string_view>

namespace quorlen {

// The whole response body of a GET of `address` (http or https), whatever the status:
// HTTP/1.0, the agent "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)", "Accept: */*",
// the stored cookies, the same time-outs and size limit as every transfer. Empty when
// nothing could be fetched; this thread's last error then says why (it is cleared first).
Bytes FetchWholeBody(std::string_view address);

} // namespace quorlen
