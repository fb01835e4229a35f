#pragma once

#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace httplib {
class Server;
struct Request;
} // namespace httplib

namespace quorlen::demo {

// The sample service: profile pages of the sample users at /p/<percent-encoded GBK name>/detail
// (the not-found answer for every other name), their avatars under /sys/portrait/item/, and the
// messenger's widget pages, contact link and contact button. It answers on 127.0.0.1 only.
// Tests put pages of their own in place of a user's with SetProfilePage.
class SampleService {
public:
    SampleService();
    ~SampleService();

    SampleService(const SampleService&) = delete;
    SampleService& operator=(const SampleService&) = delete;

    // Serves `body` as it is as the profile page of the GBK name, in place of the built-in
    // answer; "{{origin}}" in it becomes the origin the request was addressed to.
    void SetProfilePage(std::string gbkName, std::string body);

    // Listens on 127.0.0.1:`port` (0 picks a free port) on a thread of its own; false when the
    // port cannot be had.
    bool Start(int port = 0);
    void Stop();
    int Port() const { return m_port; }
    std::string Origin() const;

    // The targets (path and query, as sent) of the requests received so far, in order.
    std::vector<std::string> RequestTargets() const;

private:
    void InstallRoutes();
    std::string OriginOf(const httplib::Request& request) const;

    std::unique_ptr<httplib::Server> m_server;
    std::thread m_thread;
    int m_port = 0;
    mutable std::mutex m_mutex;
    std::map<std::string, std::string> m_pages;
    std::vector<std::string> m_targets;
};

} // namespace quorlen::demo
