#include "support/recording_server.h"

#include <arpa/inet.h>
#include <cstring>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace quorlen {

namespace {

constexpr int kSliceMs = 50;
constexpr auto kKeepAlive = std::chrono::seconds(5);
constexpr int kReadTimeoutMs = 5000;

bool EqualIgnoringCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

// A socket stream for httplib that keeps every byte it hands out, so the handler can see
// the request exactly as it was sent (httplib itself keeps headers sorted by name).
class RecordingStream : public httplib::Stream {
public:
    RecordingStream(int socket, const std::atomic<bool>& stopping)
        : m_socket(socket), m_stopping(stopping) {}

    void StartRequest() { m_raw.clear(); }
    const std::string& Raw() const { return m_raw; }

    // Waits for the next request on a kept-alive connection.
    bool WaitForData(std::chrono::milliseconds limit) {
        const auto deadline = std::chrono::steady_clock::now() + limit;
        while (m_offset == m_size && !m_stopping.load()) {
            if (Poll(POLLIN, kSliceMs))
                return true;
            if (std::chrono::steady_clock::now() > deadline)
                return false;
        }
        return !m_stopping.load();
    }

    bool is_readable() const override { return m_offset < m_size || Poll(POLLIN, kReadTimeoutMs); }
    bool is_writable() const override { return Poll(POLLOUT, kReadTimeoutMs); }

    ssize_t read(char* ptr, size_t size) override {
        if (m_offset == m_size) {
            if (!WaitReadable())
                return -1;
            const ssize_t received = recv(m_socket, m_buffer, sizeof m_buffer, 0);
            if (received <= 0)
                return received;
            m_offset = 0;
            m_size = static_cast<std::size_t>(received);
        }
        const std::size_t count = std::min(size, m_size - m_offset);
        std::memcpy(ptr, m_buffer + m_offset, count);
        m_raw.append(m_buffer + m_offset, count);
        m_offset += count;
        return static_cast<ssize_t>(count);
    }

    ssize_t write(const char* ptr, size_t size) override {
        std::size_t sent = 0;
        while (sent < size) {
            if (m_stopping.load() || !Poll(POLLOUT, kReadTimeoutMs))
                return -1;
            const ssize_t n = send(m_socket, ptr + sent, size - sent, MSG_NOSIGNAL);
            if (n < 0)
                return -1;
            sent += static_cast<std::size_t>(n);
        }
        return static_cast<ssize_t>(size);
    }

    void get_remote_ip_and_port(std::string& ip, int& port) const override {
        Address(getpeername, ip, port);
    }
    void get_local_ip_and_port(std::string& ip, int& port) const override {
        Address(getsockname, ip, port);
    }
    socket_t socket() const override { return m_socket; }

private:
    bool Poll(short events, int timeoutMs) const {
        pollfd entry{m_socket, events, 0};
        return ::poll(&entry, 1, timeoutMs) > 0;
    }

    bool WaitReadable() const {
        for (int waited = 0; waited < kReadTimeoutMs && !m_stopping.load(); waited += kSliceMs) {
            if (Poll(POLLIN, kSliceMs))
                return true;
        }
        return false;
    }

    void Address(int (*query)(int, sockaddr*, socklen_t*), std::string& ip, int& port) const {
        sockaddr_in address{};
        socklen_t length = sizeof address;
        if (query(m_socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
            return;
        char text[INET_ADDRSTRLEN] = {};
        inet_ntop(AF_INET, &address.sin_addr, text, sizeof text);
        ip = text;
        port = ntohs(address.sin_port);
    }

    int m_socket;
    const std::atomic<bool>& m_stopping;
    char m_buffer[16384];
    std::size_t m_offset = 0;
    std::size_t m_size = 0;
    std::string m_raw;
};

thread_local RecordingStream* t_stream = nullptr;

RecordedRequest ParseRaw(std::string_view raw, std::string body) {
    RecordedRequest request;
    request.body = std::move(body);
    const std::string_view head = raw.substr(0, raw.find("\r\n\r\n"));
    std::size_t lineStart = 0;
    bool first = true;
    while (lineStart <= head.size()) {
        const auto end = head.find("\r\n", lineStart);
        const std::string_view line = head.substr(
            lineStart, end == std::string_view::npos ? head.size() - lineStart : end - lineStart);
        if (first) {
            const auto space1 = line.find(' ');
            const auto space2 = line.rfind(' ');
            request.method = line.substr(0, space1);
            if (space1 != std::string_view::npos && space2 > space1) {
                request.target = line.substr(space1 + 1, space2 - space1 - 1);
                request.version = line.substr(space2 + 1);
            }
            first = false;
        } else if (!line.empty()) {
            request.headerLines.emplace_back(line);
        }
        if (end == std::string_view::npos)
            break;
        lineStart = end + 2;
    }
    return request;
}

} // namespace

std::string RecordedRequest::Header(std::string_view name) const {
    for (const std::string& line : headerLines) {
        const auto colon = line.find(':');
        if (colon != std::string::npos &&
            EqualIgnoringCase(std::string_view(line).substr(0, colon), name)) {
            const auto value = line.find_first_not_of(' ', colon + 1);
            return value == std::string::npos ? std::string() : line.substr(value);
        }
    }
    return {};
}

bool RecordedRequest::HasHeader(std::string_view name) const {
    for (const std::string& line : headerLines) {
        const auto colon = line.find(':');
        if (colon != std::string::npos &&
            EqualIgnoringCase(std::string_view(line).substr(0, colon), name))
            return true;
    }
    return false;
}

class RecordingServer::HttpServer : public httplib::Server {
public:
    explicit HttpServer(const std::atomic<bool>& stopping) : m_stopping(stopping) {}

private:
    // One connection: requests are served one after the other until the client closes it,
    // stays quiet for a while, or the server stops.
    bool process_and_close_socket(socket_t socket) override {
        RecordingStream stream(socket, m_stopping);
        t_stream = &stream;
        bool ok = true;
        while (ok && stream.WaitForData(kKeepAlive)) {
            stream.StartRequest();
            bool closed = false;
            ok = process_request(stream, false, closed, nullptr);
            if (closed)
                break;
        }
        t_stream = nullptr;
        shutdown(socket, SHUT_RDWR);
        close(socket);
        return ok;
    }

    const std::atomic<bool>& m_stopping;
};

RecordingServer::RecordingServer() : m_server(std::make_unique<HttpServer>(m_stopping)) {
    const auto serve = [this](const httplib::Request& request, httplib::Response& response) {
        Serve(request, response, t_stream != nullptr ? t_stream->Raw() : std::string_view());
    };
    const std::string any = ".*";
    m_server->Get(any, serve);
    m_server->Post(any, serve);
    m_server->Put(any, serve);
    m_server->Delete(any, serve);
    m_server->Patch(any, serve);
    m_server->Options(any, serve);
    m_port = m_server->bind_to_any_port("127.0.0.1");
    if (m_port <= 0)
        throw std::runtime_error("RecordingServer: cannot bind to 127.0.0.1");
    m_thread = std::thread([this] { m_server->listen_after_bind(); });
    // stop() does nothing before the server runs, so the destructor must not come earlier.
    while (!m_server->is_running())
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
}

RecordingServer::~RecordingServer() {
    m_stopping.store(true);
    m_server->stop();
    m_thread.join();
}

std::string RecordingServer::BaseUrl() const {
    return "http://127.0.0.1:" + std::to_string(m_port);
}

void RecordingServer::Handle(const std::string& path, Handler handler) {
    std::lock_guard lock(m_mutex);
    m_handlers[path] = std::move(handler);
}

std::vector<RecordedRequest> RecordingServer::Requests() const {
    std::lock_guard lock(m_mutex);
    return m_requests;
}

std::size_t RecordingServer::RequestCount() const {
    std::lock_guard lock(m_mutex);
    return m_requests.size();
}

void RecordingServer::Serve(const httplib::Request& request, httplib::Response& response,
                            std::string_view raw) {
    Handler handler;
    {
        std::lock_guard lock(m_mutex);
        m_requests.push_back(ParseRaw(raw, request.body));
        const auto it = m_handlers.find(request.path);
        if (it != m_handlers.end())
            handler = it->second;
    }
    if (handler) {
        handler(request, response);
    } else {
        response.status = 404;
        response.set_content("not found", "text/plain");
    }
}

} // namespace quorlen
