#include "support/raw_server.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <stdexcept>
#include <sys/socket.h>
#include <unistd.h>

namespace quorlen {

namespace {

constexpr int kSliceMs = 20;
constexpr std::size_t kMaxHead = 64 * 1024;
constexpr auto kMaxSilence = std::chrono::seconds(60);
constexpr std::size_t kMaxEndless = std::size_t{1} << 30;

bool PollFor(int socket, short events, int timeoutMs) {
    pollfd entry{socket, events, 0};
    return ::poll(&entry, 1, timeoutMs) > 0;
}

} // namespace

std::string RawConnection::ReadRequestHead() {
    std::string head;
    while (head.size() < kMaxHead && !m_server.Stopping()) {
        if (!PollFor(m_socket, POLLIN, kSliceMs))
            continue;
        char byte = 0;
        if (recv(m_socket, &byte, 1, 0) != 1)
            return {};
        head += byte;
        if (head.ends_with("\r\n\r\n")) {
            m_server.Record(head);
            return head;
        }
    }
    return {};
}

bool RawConnection::Send(std::string_view bytes) {
    while (!bytes.empty()) {
        if (m_server.Stopping())
            return false;
        if (!PollFor(m_socket, POLLOUT, kSliceMs))
            continue;
        const ssize_t sent = send(m_socket, bytes.data(), bytes.size(), MSG_NOSIGNAL);
        if (sent < 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(sent));
    }
    return true;
}

bool RawConnection::Pause(std::chrono::milliseconds duration) {
    const auto deadline = std::chrono::steady_clock::now() + duration;
    while (std::chrono::steady_clock::now() < deadline) {
        if (m_server.Stopping())
            return false;
        if (PollFor(m_socket, POLLIN, kSliceMs)) {
            char scrap[4096];
            if (recv(m_socket, scrap, sizeof scrap, 0) <= 0)
                return false;
        }
    }
    return true;
}

RawServer::RawServer(Script script) : m_script(std::move(script)) {
    m_listener = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    socklen_t length = sizeof address;
    if (m_listener < 0 || bind(m_listener, reinterpret_cast<sockaddr*>(&address), length) != 0 ||
        listen(m_listener, 16) != 0 ||
        getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0)
        throw std::runtime_error("RawServer: cannot listen on 127.0.0.1");
    m_port = ntohs(address.sin_port);
    m_acceptThread = std::thread([this] { AcceptLoop(); });
}

RawServer::~RawServer() {
    m_stopping.store(true);
    m_acceptThread.join();
    for (std::thread& connection : m_connections)
        connection.join();
    close(m_listener);
}

std::string RawServer::BaseUrl() const {
    return "http://127.0.0.1:" + std::to_string(m_port);
}

std::vector<std::string> RawServer::RequestHeads() const {
    std::lock_guard lock(m_mutex);
    return m_heads;
}

void RawServer::Record(std::string head) {
    std::lock_guard lock(m_mutex);
    m_heads.push_back(std::move(head));
}

void RawServer::AcceptLoop() {
    while (!m_stopping.load()) {
        if (!PollFor(m_listener, POLLIN, kSliceMs))
            continue;
        const int socket = accept(m_listener, nullptr, nullptr);
        if (socket < 0)
            continue;
        std::lock_guard lock(m_mutex);
        m_connections.emplace_back([this, socket] {
            RawConnection connection(*this, socket);
            m_script(connection);
            shutdown(socket, SHUT_RDWR);
            close(socket);
        });
    }
}

RawServer::Script RawServer::Reply(std::string response) {
    return [response = std::move(response)](RawConnection& connection) {
        if (!connection.ReadRequestHead().empty())
            connection.Send(response);
    };
}

RawServer::Script RawServer::Silent() {
    return [](RawConnection& connection) {
        if (!connection.ReadRequestHead().empty())
            connection.Pause(kMaxSilence);
    };
}

RawServer::Script RawServer::Trickle(std::string head, std::string body,
                                     std::chrono::milliseconds gap) {
    return [head = std::move(head), body = std::move(body), gap](RawConnection& connection) {
        if (connection.ReadRequestHead().empty() || !connection.Send(head))
            return;
        for (const char byte : body) {
            if (!connection.Pause(gap) || !connection.Send(std::string_view(&byte, 1)))
                return;
        }
    };
}

RawServer::Script RawServer::Endless(std::string head) {
    return [head = std::move(head)](RawConnection& connection) {
        if (connection.ReadRequestHead().empty() || !connection.Send(head))
            return;
        const std::string piece(64 * 1024, 'x');
        for (std::size_t sent = 0; sent < kMaxEndless; sent += piece.size()) {
            if (!connection.Send(piece))
                return;
        }
    };
}

} // namespace quorlen
