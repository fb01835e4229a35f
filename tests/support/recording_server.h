#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <httplib.h>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>
#include <vector>

namespace quorlen {

// One request as it arrived, taken from the bytes on the wire.
struct RecordedRequest {
    std::string method;
    std::string target;                   // as on the request line: path and query
    std::string version;                  // "HTTP/1.1"
    std::vector<std::string> headerLines; // "Name: value", in the order sent
    std::string body;

    // The value of the first header line of that name (any case); "" when there is none.
    std::string Header(std::string_view name) const;
    bool HasHeader(std::string_view name) const;
};

// An HTTP server on 127.0.0.1 with an ephemeral port, run by cpp-httplib on its own threads
// for the lifetime of the object. It records every request, then answers it with the
// handler registered for its path, or 404 "not found".
class RecordingServer {
public:
    using Handler = std::function<void(const httplib::Request&, httplib::Response&)>;

    RecordingServer();
    ~RecordingServer();
    RecordingServer(const RecordingServer&) = delete;
    RecordingServer& operator=(const RecordingServer&) = delete;

    std::string BaseUrl() const; // "http://127.0.0.1:PORT"
    int Port() const { return m_port; }

    // `path` without the query, percent-decoded, for any method. Safe while serving.
    void Handle(const std::string& path, Handler handler);

    std::vector<RecordedRequest> Requests() const;
    std::size_t RequestCount() const;

    // True once the server is being shut down; content providers that stream without end
    // check it.
    bool Stopping() const { return m_stopping.load(); }

private:
    class HttpServer;
    void Serve(const httplib::Request& request, httplib::Response& response, std::string_view raw);

    std::unique_ptr<HttpServer> m_server;
    std::thread m_thread;
    int m_port = 0;
    std::atomic<bool> m_stopping{false};
    mutable std::mutex m_mutex;
    std::map<std::string, Handler> m_handlers;
    std::vector<RecordedRequest> m_requests;
};

} // namespace quorlen
