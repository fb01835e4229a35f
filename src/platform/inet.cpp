#include "platform/inet.h"

#include "platform/curl_transfer.h"
#include "platform/inet_errors.h"
#include "platform/last_error.h"
#include "text/text_case.h"

#include <algorithm>
#include <atomic>
#include <cctype>
#include <cstring>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <unordered_map>
#include <variant>

namespace quorlen {

namespace {

struct Session {
    std::string agent;
    std::uint32_t accessType = kInternetOpenTypeDirect;
    std::string proxy;
    std::string proxyBypass;
};

struct Connection {
    Session session;
    std::string serverName;
    int port = 0;
};

struct Request {
    Connection connection;
    std::string verb;
    std::string objectName;
    bool http10 = false;
    bool secure = false;
    std::string referrer;
    std::string acceptTypes; // joined with ", ", empty for none
    std::atomic<bool> closed{false};

    std::mutex mutex; // guards the exchange of the last send
    std::unique_ptr<Transfer> transfer;
};

using HandleObject = std::variant<Session, Connection, std::shared_ptr<Request>>;

// Ids only grow, so a closed handle is never mistaken for a newer one.
std::mutex g_tableMutex;
std::unordered_map<InetHandle, HandleObject> g_handles;
InetHandle g_nextHandle = 1;

InetHandle AddHandle(HandleObject object) {
    std::lock_guard lock(g_tableMutex);
    const InetHandle handle = g_nextHandle++;
    g_handles.emplace(handle, std::move(object));
    return handle;
}

template <typename T>
std::optional<T> FindHandle(InetHandle handle) {
    std::lock_guard lock(g_tableMutex);
    const auto it = g_handles.find(handle);
    if (it == g_handles.end() || !std::holds_alternative<T>(it->second))
        return std::nullopt;
    return std::get<T>(it->second);
}

// The request a thread used last, so reading a body in small pieces does not look the
// handle up in the table each time. A closed request is never taken from here, and ids are
// never reused.
struct LastRequest {
    InetHandle handle = 0;
    std::weak_ptr<Request> request;
};
thread_local LastRequest t_lastRequest;

std::shared_ptr<Request> FindRequest(InetHandle handle) {
    if (handle == t_lastRequest.handle) {
        std::shared_ptr<Request> request = t_lastRequest.request.lock();
        if (request && !request->closed.load())
            return request;
    }
    std::optional<std::shared_ptr<Request>> request = FindHandle<std::shared_ptr<Request>>(handle);
    if (!request) {
        SetLastPlatformError(kErrorInvalidHandle, "invalid handle");
        return nullptr;
    }
    t_lastRequest = {handle, *request};
    return *request;
}

InetHandle FailHandle(int code, std::string text) {
    SetLastPlatformError(code, std::move(text));
    return 0;
}

bool Fail(int code, std::string text) {
    SetLastPlatformError(code, std::move(text));
    return false;
}

std::string TextOrEmpty(const char* text) {
    return text != nullptr ? std::string(text) : std::string();
}

bool IsToken(std::string_view text) {
    static constexpr std::string_view kPunctuation = "!#$%&'*+-.^_`|~";
    return !text.empty() && std::all_of(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return (byte < 0x80 && std::isalnum(byte)) ||
               kPunctuation.find(c) != std::string_view::npos;
    });
}

std::string WithoutBlanks(std::string_view text) {
    std::string kept;
    for (const char c : text) {
        if (c != ' ' && c != '\t' && c != '\r' && c != '\n')
            kept += c;
    }
    return kept;
}

// The proxy list entry for `scheme`: "scheme=host:port" first, else a plain "host:port".
std::string ProxyFor(const Session& session, std::string_view scheme) {
    if (session.accessType != kInternetOpenTypeProxy)
        return {};
    const std::string list = WithoutBlanks(session.proxy);
    std::string fallback;
    std::string_view rest = list;
    while (!rest.empty()) {
        const auto semicolon = rest.find(';');
        const std::string_view entry = rest.substr(0, semicolon);
        rest =
            semicolon == std::string_view::npos ? std::string_view() : rest.substr(semicolon + 1);
        const auto equals = entry.find('=');
        if (equals == std::string_view::npos) {
            if (fallback.empty())
                fallback = entry;
        } else if (ToLowerAscii(entry.substr(0, equals)) == scheme && equals + 1 < entry.size()) {
            return "http://" + std::string(entry.substr(equals + 1));
        }
    }
    return fallback.empty() ? std::string() : "http://" + fallback;
}

std::string NoProxyList(const Session& session) {
    std::string list;
    std::string entry;
    const auto flush = [&] {
        if (!entry.empty() && entry != "<local>")
            list += (list.empty() ? "" : ",") + entry;
        entry.clear();
    };
    for (const char c : session.proxyBypass) {
        if (c == ';' || c == ' ' || c == '\t' || c == ',')
            flush();
        else
            entry += c;
    }
    flush();
    return list;
}

std::vector<std::string> SplitHeaderLines(std::string_view block) {
    std::vector<std::string> lines;
    while (!block.empty()) {
        const auto newline = block.find('\n');
        std::string_view line = block.substr(0, newline);
        block = newline == std::string_view::npos ? std::string_view() : block.substr(newline + 1);
        if (line.ends_with('\r'))
            line.remove_suffix(1);
        if (!line.empty())
            lines.emplace_back(line);
    }
    return lines;
}

bool HasLineNamed(const std::vector<std::string>& lines, std::string_view name) {
    return std::any_of(lines.begin(), lines.end(), [name](const std::string& line) {
        return line.size() > name.size() && line[name.size()] == ':' &&
               ToLowerAscii(line.substr(0, name.size())) == ToLowerAscii(name);
    });
}

// The server name must be a host name alone: a name that would read as user information,
// a port, a path or a query in an address is refused rather than sent to another server.
bool IsPlainHostName(std::string_view name) {
    if (name.starts_with('[') && name.ends_with(']'))
        return name.size() > 2 &&
               name.find_first_not_of("0123456789abcdefABCDEF:.", 1) == name.size() - 1;
    return !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte >= 0x80 || std::isalnum(byte) || c == '-' || c == '.' || c == '_';
    });
}

} // namespace

InetHandle InternetOpen(const char* agent, std::uint32_t accessType, const char* proxy,
                        const char* proxyBypass, std::uint32_t) {
    if (accessType != kInternetOpenTypePreconfig && accessType != kInternetOpenTypeDirect &&
        accessType != kInternetOpenTypeProxy)
        return FailHandle(kErrorInvalidArgument, "unknown access type");
    return AddHandle(
        Session{TextOrEmpty(agent), accessType, TextOrEmpty(proxy), TextOrEmpty(proxyBypass)});
}

InetHandle InternetConnect(InetHandle internet, const char* serverName, int port,
                           const char* userName, const char* password, std::uint32_t service,
                           std::uint32_t, std::uintptr_t) {
    const std::optional<Session> session = FindHandle<Session>(internet);
    if (!session)
        return FailHandle(kErrorInvalidHandle, "invalid handle");
    if (service != kInternetServiceHttp)
        return FailHandle(kErrorInvalidArgument, "only the http service is supported");
    if (port < 0 || port > 65535)
        return FailHandle(kErrorInvalidArgument, "invalid port " + std::to_string(port));
    if ((userName != nullptr && *userName != '\0') || (password != nullptr && *password != '\0'))
        return FailHandle(kErrorInvalidArgument, "user names are not supported");
    return AddHandle(Connection{*session, TextOrEmpty(serverName), port});
}

InetHandle HttpOpenRequest(InetHandle connection, const char* verb, const char* objectName,
                           const char* version, const char* referrer,
                           const char* const* acceptTypes, std::uint32_t flags, std::uintptr_t) {
    const std::optional<Connection> parent = FindHandle<Connection>(connection);
    if (!parent)
        return FailHandle(kErrorInvalidHandle, "invalid handle");
    auto request = std::make_shared<Request>();
    request->connection = *parent;
    request->verb = verb != nullptr && *verb != '\0' ? verb : "GET";
    if (!IsToken(request->verb))
        return FailHandle(kErrorInvalidArgument, "invalid method");
    const std::string versionText = TextOrEmpty(version);
    if (!versionText.empty() && versionText != "HTTP/1.1" && versionText != "HTTP/1.0")
        return FailHandle(kErrorInvalidArgument, "unsupported protocol version");
    request->http10 = versionText == "HTTP/1.0";
    request->objectName = TextOrEmpty(objectName);
    if (!request->objectName.starts_with('/'))
        request->objectName.insert(0, 1, '/');
    request->secure = (flags & kInternetFlagSecure) != 0;
    request->referrer = TextOrEmpty(referrer);
    for (const char* const* type = acceptTypes; type != nullptr && *type != nullptr; ++type)
        request->acceptTypes += (request->acceptTypes.empty() ? "" : ", ") + std::string(*type);
    return AddHandle(std::move(request));
}

bool HttpSendRequest(InetHandle requestHandle, const char* headers, std::uint32_t headersLength,
                     const void* optional, std::uint32_t optionalLength) {
    const std::shared_ptr<Request> request = FindRequest(requestHandle);
    if (!request)
        return false;
    std::lock_guard lock(request->mutex);
    request->transfer.reset();

    std::string_view block;
    if (headers != nullptr)
        block = headersLength == 0xFFFFFFFFu ? std::string_view(headers)
                                             : std::string_view(headers, headersLength);
    const std::vector<std::string> sendLines = SplitHeaderLines(block);
    TransferRequest transfer;
    if (!request->acceptTypes.empty() && !HasLineNamed(sendLines, "Accept"))
        transfer.headerLines.push_back("Accept: " + request->acceptTypes);
    if (!request->referrer.empty() && !HasLineNamed(sendLines, "Referer"))
        transfer.headerLines.push_back("Referer: " + request->referrer);
    transfer.headerLines.insert(transfer.headerLines.end(), sendLines.begin(), sendLines.end());

    const Connection& connection = request->connection;
    const std::string scheme = request->secure ? "https" : "http";
    const int defaultPort = request->secure ? 443 : 80;
    const int port = connection.port != 0 ? connection.port : defaultPort;
    transfer.url = scheme + "://" + connection.serverName +
                   (port != defaultPort ? ":" + std::to_string(port) : std::string()) +
                   EscapeUnsafeUrlBytes(request->objectName);
    transfer.method = request->verb;
    if (optional != nullptr)
        transfer.body.assign(static_cast<const char*>(optional), optionalLength);
    transfer.agent = connection.session.agent;
    transfer.proxy = ProxyFor(connection.session, scheme);
    transfer.noProxy = NoProxyList(connection.session);
    transfer.http10 = request->http10;
    transfer.cancel = &request->closed;

    request->transfer = std::make_unique<Transfer>(std::move(transfer));
    if (!IsPlainHostName(connection.serverName))
        request->transfer->Fail(kErrorCouldNotResolve,
                                "could not resolve host '" + connection.serverName + "'");
    else if (request->transfer->Start())
        return true;
    return Fail(request->transfer->ErrorCode(), request->transfer->ErrorText());
}

bool InternetReadFile(InetHandle requestHandle, void* buffer, std::uint32_t bytesToRead,
                      std::uint32_t* bytesRead) {
    if (bytesRead != nullptr)
        *bytesRead = 0;
    const std::shared_ptr<Request> request = FindRequest(requestHandle);
    if (!request)
        return false;
    if (bytesRead == nullptr || (buffer == nullptr && bytesToRead != 0))
        return Fail(kErrorInvalidArgument, "no buffer");
    std::lock_guard lock(request->mutex);
    Transfer* transfer = request->transfer.get();
    if (transfer == nullptr)
        return Fail(kErrorNoResponse, "request not sent");
    std::size_t count = 0;
    const bool ok = transfer->Read(buffer, bytesToRead, &count);
    *bytesRead = static_cast<std::uint32_t>(count);
    if (!ok)
        return Fail(transfer->ErrorCode(), transfer->ErrorText());
    return true;
}

bool HttpQueryInfo(InetHandle requestHandle, std::uint32_t infoLevel, void* buffer,
                   std::uint32_t* bufferLength, std::uint32_t* index) {
    const std::shared_ptr<Request> request = FindRequest(requestHandle);
    if (!request)
        return false;
    if (infoLevel != kHttpQueryRawHeadersCrlf || index != nullptr)
        return Fail(kErrorInvalidArgument, "unsupported header query");
    if (bufferLength == nullptr)
        return Fail(kErrorInvalidArgument, "no buffer length");
    std::lock_guard lock(request->mutex);
    // A failed exchange counts as nothing fetched, also when its headers had come.
    if (!request->transfer || request->transfer->ErrorCode() != 0)
        return Fail(kErrorNoResponse, "no response headers");
    const std::string& block = request->transfer->HeaderBlock();
    if (buffer == nullptr || block.size() + 1 > *bufferLength) {
        *bufferLength = static_cast<std::uint32_t>(block.size() + 1);
        return Fail(kErrorInsufficientBuffer, "buffer too small");
    }
    std::memcpy(buffer, block.c_str(), block.size() + 1);
    *bufferLength = static_cast<std::uint32_t>(block.size());
    return true;
}

bool InternetCloseHandle(InetHandle handle) {
    HandleObject object;
    {
        std::lock_guard lock(g_tableMutex);
        const auto it = g_handles.find(handle);
        if (it == g_handles.end())
            return Fail(kErrorInvalidHandle, "invalid handle");
        object = std::move(it->second);
        g_handles.erase(it);
    }
    if (auto* request = std::get_if<std::shared_ptr<Request>>(&object))
        (*request)->closed.store(true);
    return true;
}

} // namespace quorlen
