#pragma once

#include "query/profile_worker.h"
#include "query/service_config.h"

#include <atomic>
#include <future>
#include <memory>
#include <mutex>
#include <thread>
#include <vector>

namespace quorlen {

// Starts profile queries and owns their worker threads, so that none outlives the objects
// it uses: a later query supersedes the earlier ones, and Shutdown stops and joins them all.
class ProfileQueryLauncher {
public:
    ProfileQueryLauncher(QueryState& state, HttpClass& http, ServiceConfig config);
    ~ProfileQueryLauncher();

    ProfileQueryLauncher(const ProfileQueryLauncher&) = delete;
    ProfileQueryLauncher& operator=(const ProfileQueryLauncher&) = delete;

    // What a click on the query button does with the name in the edit box (GBK, taken as it
    // is): builds the profile address, stores it as the current query and starts a worker
    // that writes `display`, which must outlive it. The future yields the worker's outcome.
    std::future<ProfileOutcome> StartProfileQuery(std::string_view gbkName, Display& display);

    // For the end of the program: supersedes every running query and waits for the workers
    // to end. When one is still running, every transfer of the process is aborted for good,
    // so that closing never waits on a slow server. Called by the destructor; no query is
    // started afterwards.
    void Shutdown();

private:
    struct Worker {
        std::thread thread;
        std::shared_ptr<std::atomic<bool>> done;
    };

    void JoinFinishedWorkers();

    QueryState& m_state;
    HttpClass& m_http;
    const ServiceConfig m_config;
    std::mutex m_mutex;
    std::vector<Worker> m_workers;
    bool m_shutDown = false;
};

} // namespace quorlen
