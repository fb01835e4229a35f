#include "web/http_class.h"

#include "codec/url_decode.h"
#include "platform/inet_errors.h"
#include "platform/last_error.h"
#include "text/text_bytes.h"
#include "text/text_case.h"
#include "text/text_search.h"
#include "web/net_calls.h"
#include "web/url_split.h"

#include <algorithm>
#include <array>
#include <string>

namespace quorlen {

namespace {

constexpr const char* kAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";
constexpr std::string_view kProxyPrefix = "http=";
constexpr const char* kVersion = "HTTP/1.1";
constexpr std::string_view kDefaultAcceptLine =
    "Accept: image/gif, image/x-xbitmap, image/jpeg, image/pjpeg, "
    "application/x-shockwave-flash, application/vnd.ms-excel, application/vnd.ms-powerpoint, "
    "application/msword, */*\r\n";
constexpr std::string_view kLanguageLine = "Accept-Language: zh-cn\r\n";
constexpr std::string_view kFormContentLine = "Content-Type: application/x-www-form-urlencoded\r\n";
constexpr std::string_view kCookieHeader = "Set-Cookie: ";
constexpr std::size_t kChunkSize = 512;
constexpr std::size_t kHeaderBufferSize = 1024;
constexpr std::size_t kFailureSize = 255;

// True when nothing but ASCII spaces and full-width spaces (A1 A1) is left.
bool IsBlank(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if (byte == ' ')
            continue;
        if (IsGbkLeadByte(byte) && i + 1 < text.size()) {
            if (byte == 0xA1 && static_cast<unsigned char>(text[i + 1]) == 0xA1) {
                ++i;
                continue;
            }
        }
        return false;
    }
    return true;
}

std::uint32_t Length(std::string_view text) {
    return static_cast<std::uint32_t>(text.size());
}

// Hands every "Set-Cookie: " line of the raw header block to the cookie store, in order.
void StoreCookies(std::string_view headerText, const Text& host) {
    if (FindText(headerText, kCookieHeader, 1, true) == -1)
        return;
    const Text cookieAddress = JoinTexts({"http://", host});
    while (!headerText.empty()) {
        const auto newline = headerText.find('\n');
        std::string_view line = headerText.substr(0, newline);
        headerText =
            newline == std::string_view::npos ? std::string_view() : headerText.substr(newline + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (line.size() < kCookieHeader.size() || FindText(line, kCookieHeader, 1, true) != 1)
            continue;
        const std::string_view cookie = line.substr(kCookieHeader.size());
        const int equals = FindText(cookie, "=");
        const Text name(equals == -1 ? std::string_view() : cookie.substr(0, equals - 1));
        const Text value(equals == -1 ? cookie : cookie.substr(static_cast<std::size_t>(equals)));
        NetSetCookie(cookieAddress.c_str(), name.c_str(), value.c_str());
    }
}

void AppendPiece(Bytes& body, const std::uint8_t* piece, std::size_t size) {
    body.insert(body.end(), piece, piece + size);
}

void AppendPiece(Text& body, const std::uint8_t* piece, std::size_t size) {
    body.append(reinterpret_cast<const char*>(piece), size);
}

// The request itself, reading the body into `body`: Bytes for WebRequest, or straight into
// the Text that FetchText returns, which spares a copy of the whole page. False for the
// failure value.
template <typename Body>
bool RunWebRequest(std::string_view address, Text* method, std::string_view proxy, Text* headers,
                   std::string_view data, Text* responseHeaders, Body& body) {
    ClearLastPlatformError();
    const Text verb = method != nullptr ? ToUpperAscii(*method) : Text();
    if (method != nullptr)
        *method = verb;
    body.clear();
    const Text host = UrlHost(address);
    const Text serverName = UrlHost(address, true);
    const Text path = UrlPath(address);

    NetHandle internet = 0;
    NetHandle connection = 0;
    NetHandle request = 0;
    const auto fail = [&] {
        if (request != 0)
            NetCloseHandle(request);
        if (connection != 0)
            NetCloseHandle(connection);
        if (internet != 0)
            NetCloseHandle(internet);
        return false;
    };

    if (IsBlank(proxy)) {
        internet = NetOpen(kAgent, kInternetOpenTypeDirect, "", "", 0);
    } else {
        const Text proxySetting = JoinTexts({kProxyPrefix, proxy});
        internet = NetOpen(kAgent, kInternetOpenTypeProxy, proxySetting.c_str(), "", 0);
    }
    if (internet == 0)
        return fail();
    connection = NetConnect(internet, serverName.c_str(), UrlPort(address), "", "",
                            kInternetServiceHttp, 0, 0);
    if (connection == 0)
        return fail();
    request = NetOpenRequest(connection, verb.empty() ? nullptr : verb.c_str(), path.c_str(),
                             kVersion, nullptr, nullptr, kInternetFlagReload, 0);
    if (request == 0)
        return fail();

    Text ownHeaders;
    Text& lines = headers != nullptr ? *headers : ownHeaders;
    if (FindText(lines, "Accept: ", 1, true) == -1)
        lines += kDefaultAcceptLine;
    if (FindText(lines, "Referer: ", 1, true) == -1)
        lines += JoinTexts({"Referer: ", address, "\r\n"});
    if (FindText(lines, "Accept-Language: ", 1, true) == -1)
        lines += kLanguageLine;

    if (verb.empty() || verb == "GET") {
        NetSendRequest(request, lines.c_str(), Length(lines), "", 0);
    } else if (verb == "POST") {
        if (!data.empty()) {
            lines += kFormContentLine;
            lines += JoinTexts({"Content-Length: ", std::to_string(data.size()), "\r\n"});
        }
        NetSendRequest(request, lines.c_str(), Length(lines), data.empty() ? "" : data.data(),
                       Length(data));
    } else {
        SetLastPlatformError(kErrorInvalidArgument, "method " + verb + " not supported");
        return fail();
    }

    // This runs on threads that own no windows, so between reads there are no window
    // messages to dispatch. Only the bytes read are taken from the piece buffer, so one
    // buffer serves every read; clearing it each time would change nothing.
    std::array<std::uint8_t, kChunkSize> chunk{};
    for (;;) {
        std::uint32_t bytesRead = 0;
        NetReadFile(request, chunk.data(), kChunkSize, &bytesRead);
        if (bytesRead == 0)
            break;
        AppendPiece(body, chunk.data(), std::min<std::size_t>(bytesRead, kChunkSize));
    }
    // An exchange that broke off (size cap, time-out, abort, lost connection) counts as
    // nothing fetched rather than as a cut-off page.
    const PlatformError fetchError = LastPlatformError();
    if (fetchError.code != 0)
        body.clear();

    Text headerBuffer(kHeaderBufferSize, ' ');
    std::uint32_t headerLength = kHeaderBufferSize;
    NetQueryInfo(request, kHttpQueryRawHeadersCrlf, headerBuffer.data(), &headerLength, nullptr);
    const Text headerText(headerBuffer.c_str());
    if (responseHeaders != nullptr)
        *responseHeaders = headerText;

    NetCloseHandle(request);
    NetCloseHandle(connection);
    NetCloseHandle(internet);

    StoreCookies(headerText, host);
    // Whether the page came was decided above; a header block too large for the buffer or a
    // refused cookie must not make it look as if it had not.
    SetLastPlatformError(fetchError.code, fetchError.text);
    return true;
}

} // namespace

Text HttpClass::FetchText(std::string_view address) const {
    Text text;
    if (!RunWebRequest(address, nullptr, {}, nullptr, {}, nullptr, text))
        return {};
    const auto zero = text.find('\0');
    if (zero != Text::npos)
        text.resize(zero);
    return text;
}

Bytes HttpClass::WebRequest(std::string_view address, Text* method, std::string_view proxy,
                            Text* headers, std::string_view data, Text* responseHeaders) const {
    Bytes body;
    if (!RunWebRequest(address, method, proxy, headers, data, responseHeaders, body))
        return Bytes(kFailureSize, 0);
    return body;
}

Text HttpClass::UrlHost(std::string_view address, bool stripPort) const {
    return quorlen::UrlHost(address, stripPort);
}

int HttpClass::UrlPort(std::string_view address) const {
    return quorlen::UrlPort(address);
}

Text HttpClass::UrlPath(std::string_view address) const {
    return quorlen::UrlPath(address);
}

Text HttpClass::UrlDecodeUtf8(std::string_view page) const {
    return quorlen::UrlDecodeUtf8(page);
}

} // namespace quorlen
