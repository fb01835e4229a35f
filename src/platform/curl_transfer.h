#pragma once

#include "text/text.h"

#include <atomic>
#include <curl/curl.h>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace quorlen {

// One HTTP exchange over libcurl, as the internet functions and the whole-body GET need it:
// the request goes out exactly as described here (curl adds only Host, Content-Length when
// a body is sent, and the stored cookies), and redirects are followed.
struct TransferRequest {
    std::string url;                      // only http and https are fetched
    std::string method = "GET";           // a token; GET, POST and HEAD get their own handling
    std::vector<std::string> headerLines; // sent in this order, each without its CR LF
    std::string body;                     // sent when not empty, and always for POST
    std::string agent;                    // empty: no User-Agent line
    std::string proxy;                    // "scheme://host:port", empty for a direct connection
    std::string noProxy;                  // curl's comma-separated list of hosts to reach directly
    bool http10 = false;
    const std::atomic<bool>* cancel = nullptr; // checked while the transfer runs
};

// A running exchange. The body is handed out as it arrives rather than gathered first, so a
// large answer passes through a small buffer (what one look at the socket brings).
class Transfer {
public:
    explicit Transfer(TransferRequest request);
    ~Transfer();
    Transfer(const Transfer&) = delete;
    Transfer& operator=(const Transfer&) = delete;

    // Runs until the final response's header block is complete and its body has begun, or
    // the exchange is over. False when it failed; ErrorCode and ErrorText say why.
    bool Start();
    // Up to `size` bytes of the body, waiting for them if need be; `*count` 0 at the end.
    // False when the exchange failed, also after part of the body was handed out.
    bool Read(void* buffer, std::size_t size, std::size_t* count);
    // The rest of the body at once.
    bool ReadAll(Bytes& body);

    // The final response's status line and header lines, each ending CR LF, then the blank
    // line; the answers to followed redirects are not part of it.
    const std::string& HeaderBlock() const;
    int ErrorCode() const { return m_errorCode; }
    const std::string& ErrorText() const { return m_errorText; }

    // Ends the exchange as failed (or marks one that never started); returns false.
    bool Fail(int code, std::string text);

    struct Exchange; // what the libcurl callbacks fill

private:
    struct EasyDeleter {
        void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
    };
    struct MultiDeleter {
        void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
    };
    struct ListDeleter {
        void operator()(curl_slist* list) const { curl_slist_free_all(list); }
    };

    // Drives curl until `reached` holds or the exchange is over; false when it failed.
    bool RunUntil(bool (*reached)(const Exchange&));

    TransferRequest m_request;
    std::unique_ptr<Exchange> m_exchange;
    std::unique_ptr<curl_slist, ListDeleter> m_headers;
    std::unique_ptr<CURLM, MultiDeleter> m_multi;
    std::unique_ptr<CURL, EasyDeleter> m_easy; // cleaned up before the multi handle
    bool m_added = false;
    bool m_done = false;
    int m_errorCode = 0;
    std::string m_errorText;
    char m_errorBuffer[CURL_ERROR_SIZE] = {};
};

struct TransferResult {
    bool ok = false;
    int errorCode = 0; // see platform/inet_errors.h
    std::string errorText;
    Bytes body;
};

// The whole exchange at once.
TransferResult PerformTransfer(TransferRequest request);

// Percent-encodes the bytes that may not stand in an address (controls, space, DEL) and
// leaves everything else as it is.
std::string EscapeUnsafeUrlBytes(std::string_view address);

} // namespace quorlen
