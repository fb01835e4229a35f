#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quorlen {

class RawServer;

// One accepted connection of a RawServer, handed to its script.
class RawConnection {
public:
    RawConnection(RawServer& server, int socket) : m_server(server), m_socket(socket) {}

    // Reads up to and including the blank line that ends a request head (at most 64 KiB);
    // "" when the peer closed first or the server stops. The head is also recorded.
    std::string ReadRequestHead();
    // False once the peer is gone or the server stops.
    bool Send(std::string_view bytes);
    // Waits, discarding whatever the peer sends; false when it closed or the server stops.
    bool Pause(std::chrono::milliseconds duration);

private:
    RawServer& m_server;
    int m_socket;
};

// A TCP server on 127.0.0.1 with an ephemeral port that runs a script on each connection,
// for answers a real HTTP server would not give: silence, a trickle, an endless body, a
// header block written by hand. Every script ends by itself within a bounded time.
class RawServer {
public:
    using Script = std::function<void(RawConnection&)>;

    explicit RawServer(Script script);
    ~RawServer();
    RawServer(const RawServer&) = delete;
    RawServer& operator=(const RawServer&) = delete;

    std::string BaseUrl() const; // "http://127.0.0.1:PORT"
    int Port() const { return m_port; }
    std::vector<std::string> RequestHeads() const;
    bool Stopping() const { return m_stopping.load(); }

    // Reads the request head, sends `response` as it stands, and closes.
    static Script Reply(std::string response);
    // Reads the request head and never answers (until the peer gives up, or 60 s).
    static Script Silent();
    // Sends `head` at once, then `body` one byte every `gap`.
    static Script Trickle(std::string head, std::string body, std::chrono::milliseconds gap);
    // Sends `head`, then body bytes until the peer closes (at most 1 GiB).
    static Script Endless(std::string head);

private:
    friend class RawConnection;
    void AcceptLoop();
    void Record(std::string head);

    Script m_script;
    int m_listener = -1;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    std::thread m_acceptThread;
    mutable std::mutex m_mutex;
    std::vector<std::thread> m_connections;
    std::vector<std::string> m_heads;
};

} // namespace quorlen
