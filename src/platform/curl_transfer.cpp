#include "platform/curl_transfer.h"

#include "platform/cookie_store.h"
#include "platform/curl_global.h"
#include "platform/inet_errors.h"
#include "platform/transfer_limits.h"
#include "text/text_search.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
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
static_assert(kErrorCutShort == CURLE_PARTIAL_FILE);

using Clock = std::chrono::steady_clock;

// How often a transfer that waits for data looks at the abort flag and its idle timer.
constexpr int kPollSliceMs = 50;
constexpr long kMaxRedirects = 10;
constexpr long kReceiveBufferBytes = 128 * 1024;

} // namespace

struct Transfer::Exchange {
    CURL* easy = nullptr;
    Bytes pending; // body bytes not handed out yet, from `offset` on
    std::size_t offset = 0;
    std::size_t delivered = 0; // body bytes of the final response so far
    std::string headerBlock;
    bool headersComplete = false;
    bool bodyStarted = false;
    bool tooLarge = false;
    bool connected = false;
    Clock::time_point lastActivity = Clock::now();
};

namespace {

using Exchange = Transfer::Exchange;

// A new status line starts a new response (after a redirect or an interim 1xx answer):
// only the last one is kept. curl passes no body of a redirect it follows.
std::size_t OnHeader(char* data, std::size_t size, std::size_t count, void* user) {
    auto& exchange = *static_cast<Exchange*>(user);
    const std::size_t length = size * count;
    exchange.lastActivity = Clock::now();
    std::string_view line(data, length);
    if (line.starts_with("HTTP/")) {
        exchange.headerBlock.clear();
        exchange.headersComplete = false;
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
    exchange.bodyStarted = true;
    if (length > kMaxResponseBytes - exchange.delivered) {
        exchange.tooLarge = true;
        return CURL_WRITEFUNC_ERROR;
    }
    exchange.delivered += length;
    exchange.pending.insert(exchange.pending.end(), data, data + length);
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

std::string Describe(CURLcode code, CURL* easy, const char* detail) {
    switch (code) {
    case CURLE_UNSUPPORTED_PROTOCOL:
        return "protocol not allowed";
    case CURLE_URL_MALFORMAT:
        return "malformed address";
    case CURLE_COULDNT_RESOLVE_HOST:
        return "could not resolve host '" + HostOf(easy) + "'";
    case CURLE_COULDNT_RESOLVE_PROXY:
        return "could not resolve proxy";
    case CURLE_COULDNT_CONNECT: {
        long osError = 0;
        curl_easy_getinfo(easy, CURLINFO_OS_ERRNO, &osError);
        return osError == ECONNREFUSED ? "connection refused" : "could not connect";
    }
    case CURLE_OPERATION_TIMEDOUT:
        return "timed out";
    case CURLE_TOO_MANY_REDIRECTS:
        return "too many redirects";
    case CURLE_FILESIZE_EXCEEDED:
        return "response too large";
    case CURLE_PARTIAL_FILE:
        return "answer cut short";
    default:
        return *detail != '\0' ? detail : curl_easy_strerror(code);
    }
}

void Configure(CURL* easy, const TransferRequest& request, Exchange& exchange, curl_slist* headers,
               char* errorBuffer) {
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
    curl_easy_setopt(easy, CURLOPT_CONNECTTIMEOUT_MS,
                     static_cast<long>(CurrentTransferTimeouts().connect.count()));
    curl_easy_setopt(easy, CURLOPT_MAXFILESIZE_LARGE, static_cast<curl_off_t>(kMaxResponseBytes));
    // Fewer, larger socket reads for big pages.
    curl_easy_setopt(easy, CURLOPT_BUFFERSIZE, kReceiveBufferBytes);

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
        curl_easy_setopt(easy, CURLOPT_POSTFIELDS, request.body.c_str());
        if (request.method != "POST")
            curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    } else if (request.method == "HEAD") {
        curl_easy_setopt(easy, CURLOPT_NOBODY, 1L);
    } else if (request.method != "GET") {
        curl_easy_setopt(easy, CURLOPT_CUSTOMREQUEST, request.method.c_str());
    }
}

bool BodyStarted(const Exchange& exchange) {
    return exchange.bodyStarted;
}

bool HasPending(const Exchange& exchange) {
    return exchange.offset < exchange.pending.size();
}

bool Never(const Exchange&) {
    return false;
}

} // namespace

Transfer::Transfer(TransferRequest request)
    : m_request(std::move(request)), m_exchange(std::make_unique<Exchange>()) {}

Transfer::~Transfer() {
    if (m_added)
        curl_multi_remove_handle(m_multi.get(), m_easy.get());
}

const std::string& Transfer::HeaderBlock() const {
    return m_exchange->headerBlock;
}

bool Transfer::Fail(int code, std::string text) {
    m_errorCode = code;
    m_errorText = std::move(text);
    m_done = true;
    if (m_added) {
        curl_multi_remove_handle(m_multi.get(), m_easy.get());
        m_added = false;
    }
    return false;
}

bool Transfer::Start() {
    EnsureCurlInitialized();
    if (TransfersAborted())
        return Fail(kErrorAborted, "aborted");

    // curl adds lines of its own (Accept, Expect, a form Content-Type) unless told not to;
    // an empty "Name:" line suppresses one without sending anything.
    std::vector<std::string> lines = m_request.headerLines;
    if (!HasHeaderNamed(lines, "Accept"))
        lines.push_back("Accept:");
    if (!HasHeaderNamed(lines, "Expect"))
        lines.push_back("Expect:");
    if ((!m_request.body.empty() || m_request.method == "POST") &&
        !HasHeaderNamed(lines, "Content-Type"))
        lines.push_back("Content-Type:");
    for (const std::string& line : lines) {
        curl_slist* longer = curl_slist_append(m_headers.get(), line.c_str());
        if (longer == nullptr)
            return Fail(CURLE_OUT_OF_MEMORY, "out of memory");
        (void)m_headers.release();
        m_headers.reset(longer);
    }

    m_easy.reset(curl_easy_init());
    m_multi.reset(curl_multi_init());
    if (!m_easy || !m_multi)
        return Fail(CURLE_FAILED_INIT, "could not start a transfer");
    m_exchange->easy = m_easy.get();
    Configure(m_easy.get(), m_request, *m_exchange, m_headers.get(), m_errorBuffer);
    if (curl_multi_add_handle(m_multi.get(), m_easy.get()) != CURLM_OK)
        return Fail(CURLE_FAILED_INIT, "could not start a transfer");
    m_added = true;
    return RunUntil(BodyStarted);
}

bool Transfer::RunUntil(bool (*reached)(const Exchange&)) {
    const Clock::time_point waitStart = Clock::now();
    const auto idleLimit = CurrentTransferTimeouts().idle;
    Exchange& exchange = *m_exchange;
    while (!m_done && !reached(exchange)) {
        int running = 0;
        if (curl_multi_perform(m_multi.get(), &running) != CURLM_OK)
            return Fail(CURLE_FAILED_INIT, "transfer failed");
        if (running == 0) {
            CURLcode result = CURLE_GOT_NOTHING;
            int left = 0;
            while (CURLMsg* message = curl_multi_info_read(m_multi.get(), &left)) {
                if (message->msg == CURLMSG_DONE)
                    result = message->data.result;
            }
            if (exchange.tooLarge)
                return Fail(kErrorTooLarge, "response too large");
            if (result != CURLE_OK)
                return Fail(result, Describe(result, m_easy.get(), m_errorBuffer));
            m_done = true;
            break;
        }
        if (reached(exchange))
            break;
        if (TransfersAborted() || (m_request.cancel != nullptr && m_request.cancel->load()))
            return Fail(kErrorAborted, "aborted");
        // Time spent before this wait (a slow reader) is not the server's silence.
        const Clock::time_point quietSince = std::max(exchange.lastActivity, waitStart);
        if (exchange.connected && Clock::now() - quietSince > idleLimit)
            return Fail(kErrorTimedOut, "timed out");
        curl_multi_poll(m_multi.get(), nullptr, 0, kPollSliceMs, nullptr);
    }
    return m_errorCode == 0;
}

bool Transfer::Read(void* buffer, std::size_t size, std::size_t* count) {
    *count = 0;
    if (m_errorCode != 0)
        return false;
    Exchange& exchange = *m_exchange;
    if (!HasPending(exchange)) {
        exchange.pending.clear();
        exchange.offset = 0;
        if (!RunUntil(HasPending))
            return false;
    }
    const std::size_t available = exchange.pending.size() - exchange.offset;
    *count = std::min(size, available);
    if (*count != 0)
        std::memcpy(buffer, exchange.pending.data() + exchange.offset, *count);
    exchange.offset += *count;
    return true;
}

bool Transfer::ReadAll(Bytes& body) {
    if (m_errorCode != 0)
        return false;
    Exchange& exchange = *m_exchange;
    curl_off_t announced = -1;
    if (m_easy)
        curl_easy_getinfo(m_easy.get(), CURLINFO_CONTENT_LENGTH_DOWNLOAD_T, &announced);
    if (announced > 0 && static_cast<std::uint64_t>(announced) <= kMaxResponseBytes)
        exchange.pending.reserve(exchange.pending.size() + static_cast<std::size_t>(announced));
    if (!RunUntil(Never))
        return false;
    if (exchange.offset == 0)
        body = std::move(exchange.pending);
    else
        body.assign(exchange.pending.begin() + static_cast<std::ptrdiff_t>(exchange.offset),
                    exchange.pending.end());
    exchange.pending.clear();
    exchange.offset = 0;
    return true;
}

TransferResult PerformTransfer(TransferRequest request) {
    Transfer transfer(std::move(request));
    TransferResult result;
    result.ok = transfer.Start() && transfer.ReadAll(result.body);
    if (!result.ok) {
        result.errorCode = transfer.ErrorCode();
        result.errorText = transfer.ErrorText();
        result.body.clear();
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
