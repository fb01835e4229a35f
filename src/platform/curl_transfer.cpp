#include "platform/curl_transfer.h"

#include "platform/cookie_store.h"
#include "platform/curl_global.h"
#include "platform/inet_errors.h"
#include "platform/transfer_limits.h"
#include "text/text_search.h"

#include <cerrno>
#include <chrono>
#include <curl/curl.h>
#include <memory>
#include <optional>

namespace quorlen {

namespace {

static_assert(kErrorProtocolNotAllowed == CURLE_UNSUPPORTED_PROTOCOL);
static_assert(kErrorMalformedAddress == CURLE_URL_MALFORMAT);
static_assert(kErrorCouldNotResolve == CURLE_COULDNT_RESOLVE_HOST);
static_assert(kErrorCouldNotConnect == CURLE_COULDNT_CONNECT);
static_assert(kErrorTimedOut == CURLE_OPERATION_TIMEDOUT);
static_assert(kErrorTooManyRedirects == CURLE_TOO_MANY_REDIRECTS);
static_assert(kErrorAborted == CURLE_ABORTED_BY_CALLBACK);
static_assert(kErrorTooLarge == CURLE_FILESIZE_EXCEEDED);

using Clock = std::chrono::steady_clock;

// How often a transfer that waits for data looks at the abort flag and its idle timer.
constexpr int kPollSliceMs = 50;
constexpr long kMaxRedirects = 10;

struct EasyDeleter {
    void operator()(CURL* easy) const { curl_easy_cleanup(easy); }
};
struct MultiDeleter {
    void operator()(CURLM* multi) const { curl_multi_cleanup(multi); }
};
struct ListDeleter {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};
using Easy = std::unique_ptr<CURL, EasyDeleter>;
using Multi = std::unique_ptr<CURLM, MultiDeleter>;
using List = std::unique_ptr<curl_slist, ListDeleter>;

struct Exchange {
    CURL* easy = nullptr;
    Bytes body;
    std::string headerBlock;
    bool headersComplete = false;
    bool sizeChecked = false;
    bool tooLarge = false;
    bool connected = false;
    Clock::time_point lastActivity = Clock::now();
};

// A new status line starts a new response (after a redirect or an interim 1xx answer):
// only the last one is kept.
std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
    auto& exchange = *static_cast<Exchange*>(user);
    const std::size_t length = size * count;
    exchange.lastActivity = Clock::now();
    std::string_view line(data, length);
    if (line.starts_with("HTTP/")) {
        exchange.headerBlock.clear();
        exchange.body.clear();
        exchange.headersComplete = false;
        exchange.sizeChecked = false;
    } else if (exchange.headersComplete) {
        return length; // trailer lines of a chunked body
    }
    while (line.ends_with('\n') || line.ends_with('\r'))
        line.remove_suffix(1);
    if (line.empty())
        exchange.headersComplete = true;
    if (exchange.headerBlock.size() + line.size() + 2 > kMaxResponseBytes) {
        exchange.tooLarge = true;
        return CURL_WRITEFUNC_ERROR;
    }
    exchange.headerBlock.append(line);
    exchange.headerBlock.append("\r\n");
    return length;
}

std::size_t OnBody(char* data, std::size_t size, std::size_t count, void* user) {
    auto& exchange = *static_cast<Exchange*>(user);
    const std::size_t length = size * count;
    exchange.lastActivity = Clock::now();
    if (!exchange.sizeChecked) {
        exchange.sizeChecked = true;
        curl_off_t announced = -1;
        curl_easy_getinfo(exchange.easy, CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
        if (announced > 0 && static_cast<std::uint64_t>(announced) <= kMaxResponseBytes)
            exchange.body.reserve(static_cast<std::size_t>(announced));
    }
    if (length > kMaxResponseBytes - exchange.body.size()) {
        exchange.tooLarge = true;
        return CURL_WRITEFUNC_ERROR;
    }
    exchange.body.insert(exchange.body.end(), data, data + length);
    return length;
}

// Called once a connection stands, right before the request goes out: from here on the
// idle timer runs (connecting has its own limit).
int OnConnected(void* user, char*, char*, int, int) {
    auto& exchange = *static_cast<Exchange*>(user);
    exchange.connected = true;
    exchange.lastActivity = Clock::now();
    return CURL_PREREQFUNC_OK;
}

bool HasHeaderNamed(const std::vector<std::string>& lines, std::string_view name) {
    for (const std::string& line : lines) {
        const auto colon = line.find(':');
        if (colon == name.size() && FindText(line.substr(0, colon), name, 1, true) == 1)
            return true;
    }
    return false;
}

std::string HostOf(CURL* easy) {
    char* url = nullptr;
    curl_easy_getinfo(easy, CURLINFO_EFFECTIVE_URL, &url);
    std::string host;
    CURLU* handle = curl_url();
    char* part = nullptr;
    if (handle != nullptr && url != nullptr &&
        curl_url_set(handle, CURLUPART_URL, url, CURLU_GUESS_SCHEME) == CURLUE_OK &&
        curl_url_get(handle, CURLUPART_HOST, &part, 0) == CURLUE_OK)
        host = part;
    curl_free(part);
    curl_url_cleanup(handle);
    return host;
}

void Describe(CURLcode code, CURL* easy, const char* detail, TransferResult& result) {
    result.errorCode = code;
    switch (code) {
    case CURLE_UNSUPPORTED_PROTOCOL:
        result.errorText = "protocol not allowed";
        return;
    case CURLE_URL_MALFORMAT:
        result.errorText = "malformed address";
        return;
    case CURLE_COULDNT_RESOLVE_HOST:
        result.errorText = "could not resolve host '" + HostOf(easy) + "'";
        return;
    case CURLE_COULDNT_RESOLVE_PROXY:
        result.errorText = "could not resolve proxy";
        return;
    case CURLE_COULDNT_CONNECT: {
        long osError = 0;
        curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osError);
        result.errorText = osError == ECONNREFUSED ? "connection refused" : "could not connect";
        return;
    }
    case CURLE_OPERATION_TIMEDOUT:
        result.errorText = "timed out";
        return;
    case CURLE_TOO_MANY_REDIRECTS:
        result.errorText = "too many redirects";
        return;
    case CURLE_FILESIZE_EXCEEDED:
        result.errorText = "response too large";
        return;
    default:
        result.errorText = *detail != '\0' ? detail : curl_easy_strerror(code);
        return;
    }
}

void Configure(CURL* easy, const TransferRequest& request, Exchange& exchange, curl_slist* headers,
               const TransferTimeouts& timeouts, char* errorBuffer) {
    curl_easy_setopt(easy, CURLOPT_URL, request.url.c_str());
    curl_easy_setopt(easy, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(easy, CURLOPT_ERRORBUFFER, errorBuffer);
    curl_easy_setopt(easy, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(easy, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(easy, CURLOPT_MAXREDIRS, kMaxRedirects);
    // An empty proxy also keeps curl from taking one from the environment.
    curl_easy_setopt(easy, CURLOPT_PROXY, request.proxy.c_str());
    if (!request.noProxy.empty())
        curl_easy_setopt(easy, CURLOPT_NOPROXY, request.noProxy.c_str());
    if (!request.agent.empty())
        curl_easy_setopt(easy, CURLOPT_USERAGENT, request.agent.c_str());
    curl_easy_setopt(easy, CURLOPT_HTTPHEADER, headers);
    curl_easy_setopt(easy, CURLOPT_HTTP_VERSION,
                     request.http10 ? CURL_HTTP_VERSION_1_0 : CURL_HTTP_VERSION_1_1);
    // Bodies arrive as the server sent them: no Accept-Encoding, and nothing is unpacked.
    curl_easy_setopt(easy, CURLOPT_HTTP_CONTENT_DECODING, 0L);
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS, static_cast<long>(timeouts.connect.count()));
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxResponseBytes));
    if (request.rejectUserInUrl)
        curl_easy_setopt(easy, CURLOPT_DISALLOW_USERNAME_IN_URL, 1L);

    curl_easy_setopt(easy, CURLOPT_HEADERFUNCTION, OnHeader);
    curl_easy_setopt(easy, CURLOPT_HEADERDATA, &exchange);
    curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, OnBody);
    curl_easy_setopt(easy, CURLOPT_WRITEDATA, &exchange);
    curl_easy_setopt(easy, CURLOPT_PREREQFUNCTION, OnConnected);
    curl_easy_setopt(easy, CURLOPT_PREREQDATA, &exchange);

    // The handle gets its own cookie engine, loaded from the store: it sends what matches
    // and keeps what a redirect chain sets until the handle goes, but never writes back.
    // curl sends the cookie it learned last first, so the store goes in newest first and
    // the Cookie line lists the cookies in the order they were stored.
    curl_easy_setopt(easy, CURLOPT_COOKIEFILE, "");
    const std::vector<std::string> cookies = CookieStoreLines();
    for (auto line = cookies.rbegin(); line != cookies.rend(); ++line)
        curl_easy_setopt(easy, CURLOPT_COOKIELIST, line->c_str());

    const bool sendsBody = !request.body.empty() || request.method == "POST";
    if (sendsBody) {
        curl_easy_setopt(easy, CURLOPT_POSTFIELDSIZE_LARGE,
                         static_cast<curl_off_t>(request.body.size()));
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, request.body.empty() ? "" : request.body.data());
        if (request.method != "POST")
            curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    } else if (request.method == "HEAD") {
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    } else if (request.method != "GET") {
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    }
}

} // namespace

TransferResult PerformTransfer(const TransferRequest& request) {
    EnsureCurlInitialized();
    TransferResult result;
    if (TransfersAborted()) {
        result.errorCode = kErrorAborted;
        result.errorText = "aborted";
        return result;
    }

    // curl adds lines of its own (Accept, Expect, a form Content-Type) unless told not to;
    // an empty "Name:" line suppresses one without sending anything.
    std::vector<std::string> lines = request.headerLines;
    if (!HasHeaderNamed(lines, "Accept"))
        lines.push_back("Accept:");
    if (!HasHeaderNamed(lines, "Expect"))
        lines.push_back("Expect:");
    if ((!request.body.empty() || request.method == "POST") &&
        !HasHeaderNamed(lines, "Content-Type"))
        lines.push_back("Content-Type:");
    List headers;
    for (const std::string& line : lines) {
        curl_slist* longer = curl_slist_append(headers.get(), line.c_str());
        if (longer == nullptr) {
            result.errorCode = CURLE_OUT_OF_MEMORY;
            result.errorText = "out of memory";
            return result;
        }
        headers.release();
        headers.reset(longer);
    }

    Easy easy(curl_easy_init());
    Multi multi(curl_multi_init());
    if (!easy || !multi) {
        result.errorCode = CURLE_FAILED_INIT;
        result.errorText = "could not start a transfer";
        return result;
    }
    Exchange exchange;
    exchange.easy = easy.get();
    const TransferTimeouts timeouts = CurrentTransferTimeouts();
    char errorBuffer[CURL_ERROR_SIZE] = {};
    Configure(easy.get(), request, exchange, headers.get(), timeouts, errorBuffer);

    std::optional<CURLcode> finished;
    const char* stopped = nullptr; // our own reason to end the transfer early
    int stoppedCode = 0;
    curl_multi_add_handle(multi.get(), easy.get());
    for (;;) {
        int running = 0;
        if (curl_multi_perform(multi.get(), &running) != CURLM_OK) {
            finished = CURLE_FAILED_INIT;
            break;
        }
        if (running == 0) {
            int left = 0;
            while (CURLMsg* message = curl_multi_info_read(multi.get(), &left)) {
                if (message->msg == CURLMSG_DONE)
                    finished = message->data.result;
            }
            break;
        }
        if (TransfersAborted() || (request.cancel != nullptr && request.cancel->load())) {
            stopped = "aborted";
            stoppedCode = kErrorAborted;
            break;
        }
        if (exchange.connected && Clock::now() - exchange.lastActivity > timeouts.idle) {
            stopped = "timed out";
            stoppedCode = kErrorTimedOut;
            break;
        }
        curl_multi_poll(multi.get(), nullptr, 0, kPollSliceMs, nullptr);
    }
    curl_multi_remove_handle(multi.get(), easy.get());

    if (exchange.tooLarge) {
        result.errorCode = kErrorTooLarge;
        result.errorText = "response too large";
    } else if (stopped != nullptr) {
        result.errorCode = stoppedCode;
        result.errorText = stopped;
    } else if (!finished) {
        result.errorCode = CURLE_GOT_NOTHING;
        result.errorText = "transfer ended without a result";
    } else if (*finished != CURLE_OK) {
        Describe(*finished, easy.get(), errorBuffer, result);
    } else {
        result.ok = true;
        result.body = std::move(exchange.body);
        result.headerBlock = std::move(exchange.headerBlock);
    }
    return result;
}

std::string EscapeUnsafeUrlBytes(std::string_view address) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string escaped;
    escaped.reserve(address.size());
    for (const char c : address) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte <= 0x20 || byte == 0x7F) {
            escaped += '%';
            escaped += kHex[byte >> 4];
            escaped += kHex[byte & 0xF];
        } else {
            escaped += c;
        }
    }
    return escaped;
}

} // namespace quorlen
