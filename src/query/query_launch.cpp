#include "query/query_launch.h"

#include "platform/transfer_limits.h"
#include "query/profile_address.h"

namespace quorlen {

ProfileQueryLauncher::ProfileQueryLauncher(QueryState& state, HttpClass& http, ServiceConfig config)
    : m_state(state), m_http(http), m_config(std::move(config)) {}

ProfileQueryLauncher::~ProfileQueryLauncher() {
    Shutdown();
}

std::future<ProfileOutcome> ProfileQueryLauncher::StartProfileQuery(std::string_view gbkName,
                                                                    Display& display) {
    std::lock_guard lock(m_mutex);
    std::promise<ProfileOutcome> promise;
    std::future<ProfileOutcome> outcome = promise.get_future();
    if (m_shutDown) {
        ProfileOutcome notStarted;
        notStarted.superseded = true;
        promise.set_value(std::move(notStarted));
        return outcome;
    }
    JoinFinishedWorkers();
    QueryTicket ticket = m_state.BeginQuery(ProfileAddress(m_config.profileBaseAddress, gbkName));
    auto done = std::make_shared<std::atomic<bool>>(false);
    std::thread thread(
        [this, ticket = std::move(ticket), &display, done, promise = std::move(promise)]() mutable {
            ProfileOutcome outcome = ProfileWorker(m_state, std::move(ticket), display, m_http,
                                                   m_config.defaultPortraitAddress);
            // Marked done before the outcome is handed over, so that a caller holding its
            // outcome never makes Shutdown think the worker still needs stopping.
            done->store(true);
            promise.set_value(std::move(outcome));
        });
    m_workers.push_back({std::move(thread), std::move(done)});
    return outcome;
}

void ProfileQueryLauncher::JoinFinishedWorkers() {
    std::erase_if(m_workers, [](Worker& worker) {
        if (!worker.done->load())
            return false;
        worker.thread.join();
        return true;
    });
}

void ProfileQueryLauncher::Shutdown() {
    std::vector<Worker> workers;
    {
        std::lock_guard lock(m_mutex);
        if (m_shutDown)
            return;
        m_shutDown = true;
        workers.swap(m_workers);
    }
    m_state.SupersedeAll();
    bool running = false;
    for (const Worker& worker : workers)
        running = running || !worker.done->load();
    // Only a worker still waiting on the network needs its transfer cut short.
    if (running)
        AbortAllTransfers();
    for (Worker& worker : workers)
        worker.thread.join();
}

} // namespace quorlen
