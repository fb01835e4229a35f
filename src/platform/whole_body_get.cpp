#include "platform/whole_body_get.h"

#include "platform/curl_transfer.h"
#include "platform/last_error.h"

#include <utility>

namespace quorlen {

Bytes FetchWholeBody(std::string_view address) {
    ClearLastPlatformError();
    TransferRequest request;
    request.url = EscapeUnsafeUrlBytes(address);
    request.headerLines = {"Accept: */*"};
    request.agent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
    request.http10 = true;
    TransferResult answer = PerformTransfer(std::move(request));
    if (!answer.ok) {
        SetLastPlatformError(answer.errorCode, std::move(answer.errorText));
        return {};
    }
    return std::move(answer.body);
}

} // namespace quorlen
