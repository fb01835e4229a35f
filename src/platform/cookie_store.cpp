#include "platform/cookie_store.h"

#include "platform/curl_global.h"
#include "platform/inet.h"
#include "platform/inet_errors.h"
#include "platform/last_error.h"
#include "text/text_case.h"

#include <arpa/inet.h>
#include <cctype>
#include <charconv>
#include <ctime>
#include <curl/curl.h>
#include <mutex>
#include <optional>
#include <string_view>

namespace quorlen {

namespace {

// Enough for any real site; a hostile one cannot grow the store without bound.
constexpr std::size_t kMaxCookies = 3000;
constexpr std::size_t kMaxCookieBytes = 4096;

struct Cookie {
    std::string domain; // lower case, without a leading dot
    bool subdomains = false;
    std::string path;
    bool secure = false;
    std::int64_t expires = 0; // seconds since 1970, 0 for a session cookie
    std::string name;
    std::string value;
};

std::mutex g_mutex;
std::vector<Cookie> g_cookies; // in the order first stored

bool Fail(int code, std::string text) {
    SetLastPlatformError(code, std::move(text));
    return false;
}

std::string_view Trim(std::string_view text) {
    const auto first = text.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(" \t") - first + 1);
}

bool HasControlByte(std::string_view text) {
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F)
            return true;
    }
    return false;
}

bool IsIpAddress(const std::string& host) {
    unsigned char address[16];
    return host.starts_with('[') || inet_pton(AF_INET, host.c_str(), address) == 1;
}

struct UrlParts {
    std::string host;
    std::string path;
};

std::optional<UrlParts> SplitCookieUrl(const char* url) {
    CURLU* handle = curl_url();
    if (handle == nullptr)
        return std::nullopt;
    std::optional<UrlParts> parts;
    char* scheme = nullptr;
    char* host = nullptr;
    char* path = nullptr;
    if (curl_url_set(handle, CURLUPART_URL, url, 0) == CURLUE_OK &&
        curl_url_get(handle, CURLUPART_SCHEME, &scheme, 0) == CURLUE_OK &&
        curl_url_get(handle, CURLUPART_HOST, &host, 0) == CURLUE_OK &&
        curl_url_get(handle, CURLUPART_PATH, &path, 0) == CURLUE_OK &&
        (std::string_view(scheme) == "http" || std::string_view(scheme) == "https")) {
        parts = UrlParts{ToLowerAscii(host), path};
    }
    curl_free(scheme);
    curl_free(host);
    curl_free(path);
    curl_url_cleanup(handle);
    return parts;
}

// The directory of the address's path, as browsers take it for a cookie without a path.
std::string DefaultPath(std::string_view urlPath) {
    const auto slash = urlPath.rfind('/');
    if (!urlPath.starts_with('/') || slash == 0 || slash == std::string_view::npos)
        return "/";
    return std::string(urlPath.substr(0, slash));
}

std::optional<std::int64_t> ReadInteger(std::string_view text) {
    std::int64_t value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size())
        return std::nullopt;
    return value;
}

// Applies the attributes after the name and value; false (with the last error set) for a
// cookie that must not be stored.
bool ApplyAttributes(std::string_view attributes, const UrlParts& url, std::int64_t now,
                     Cookie& cookie) {
    std::optional<std::int64_t> maxAge;
    while (!attributes.empty()) {
        const auto semicolon = attributes.find(';');
        const std::string_view piece = Trim(attributes.substr(0, semicolon));
        attributes = semicolon == std::string_view::npos ? std::string_view()
                                                         : attributes.substr(semicolon + 1);
        const auto equals = piece.find('=');
        const std::string key = ToLowerAscii(Trim(piece.substr(0, equals)));
        const std::string_view value =
            equals == std::string_view::npos ? std::string_view() : Trim(piece.substr(equals + 1));
        if (key == "path") {
            if (value.starts_with('/') && !HasControlByte(value))
                cookie.path = value;
        } else if (key == "domain") {
            std::string domain = ToLowerAscii(value);
            if (domain.starts_with('.'))
                domain.erase(0, 1);
            if (domain.empty())
                continue;
            const bool isHost = domain == url.host;
            const bool isParent = !IsIpAddress(url.host) && domain.find('.') != std::string::npos &&
                                  url.host.ends_with("." + domain);
            if (!isHost && !isParent)
                return Fail(kErrorCookieRejected,
                            "cookie domain '" + domain + "' does not match '" + url.host + "'");
            cookie.domain = domain;
            cookie.subdomains = !IsIpAddress(url.host);
        } else if (key == "expires") {
            const std::string date(value);
            const time_t expires = curl_getdate(date.c_str(), nullptr);
            if (expires != -1)
                cookie.expires = expires <= 0 ? 1 : static_cast<std::int64_t>(expires);
        } else if (key == "max-age") {
            maxAge = ReadInteger(value);
        } else if (key == "secure") {
            cookie.secure = true;
        }
    }
    if (maxAge) // Max-Age wins over Expires, wherever it stands.
        cookie.expires = *maxAge <= 0 ? 1 : now + std::min<std::int64_t>(*maxAge, 400LL * 86400);
    return true;
}

bool SameSlot(const Cookie& a, const Cookie& b) {
    return a.name == b.name && a.domain == b.domain && a.path == b.path;
}

bool Expired(const Cookie& cookie, std::int64_t now) {
    return cookie.expires != 0 && cookie.expires <= now;
}

std::string NetscapeLine(const Cookie& cookie) {
    std::string line = cookie.subdomains ? "." + cookie.domain : cookie.domain;
    line += cookie.subdomains ? "\tTRUE\t" : "\tFALSE\t";
    line += cookie.path;
    line += cookie.secure ? "\tTRUE\t" : "\tFALSE\t";
    line += std::to_string(cookie.expires);
    line += '\t';
    line += cookie.name;
    line += '\t';
    line += cookie.value;
    return line;
}

} // namespace

bool InternetSetCookie(const char* url, const char* cookieName, const char* cookieData) {
    EnsureCurlInitialized();
    if (url == nullptr || cookieData == nullptr)
        return Fail(kErrorInvalidArgument, "no cookie address or data");
    const std::optional<UrlParts> parts = SplitCookieUrl(url);
    if (!parts || parts->host.empty())
        return Fail(kErrorInvalidArgument, "invalid cookie address");

    std::string text = cookieName != nullptr && *cookieName != '\0'
                           ? std::string(cookieName) + "=" + cookieData
                           : std::string(cookieData);
    const std::string_view whole = text;
    const auto semicolon = whole.find(';');
    const std::string_view pair = whole.substr(0, semicolon);
    const auto equals = pair.find('=');
    if (equals == std::string_view::npos)
        return Fail(kErrorCookieRejected, "cookie without a name");

    Cookie cookie;
    cookie.name = Trim(pair.substr(0, equals));
    cookie.value = Trim(pair.substr(equals + 1));
    if (cookie.name.empty() || cookie.name.find(' ') != std::string::npos ||
        HasControlByte(cookie.name) || HasControlByte(cookie.value))
        return Fail(kErrorCookieRejected, "invalid cookie name or value");
    if (cookie.name.size() + cookie.value.size() > kMaxCookieBytes)
        return Fail(kErrorCookieRejected, "cookie too large");
    cookie.domain = parts->host;
    cookie.path = DefaultPath(parts->path);

    const std::int64_t now = std::time(nullptr);
    if (semicolon != std::string_view::npos &&
        !ApplyAttributes(whole.substr(semicolon + 1), *parts, now, cookie))
        return false;

    std::lock_guard lock(g_mutex);
    for (auto it = g_cookies.begin(); it != g_cookies.end(); ++it) {
        if (SameSlot(*it, cookie)) {
            if (Expired(cookie, now))
                g_cookies.erase(it);
            else
                *it = std::move(cookie);
            return true;
        }
    }
    if (Expired(cookie, now))
        return true;
    if (g_cookies.size() >= kMaxCookies)
        g_cookies.erase(g_cookies.begin());
    g_cookies.push_back(std::move(cookie));
    return true;
}

std::vector<std::string> CookieStoreLines() {
    const std::int64_t now = std::time(nullptr);
    std::lock_guard lock(g_mutex);
    std::erase_if(g_cookies, [now](const Cookie& cookie) { return Expired(cookie, now); });
    std::vector<std::string> lines;
    lines.reserve(g_cookies.size());
    for (const Cookie& cookie : g_cookies)
        lines.push_back(NetscapeLine(cookie));
    return lines;
}

void ClearCookieStore() {
    std::lock_guard lock(g_mutex);
    g_cookies.clear();
}

} // namespace quorlen
