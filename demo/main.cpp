// quorlen-sample-service [--port N]: serves the sample profile service on 127.0.0.1 until it
// is interrupted. Its first line of output names the address it listens on.
#include "demo/sample_service.h"

#include <csignal>
#include <cstdlib>
#include <iostream>
#include <string>
#include <string_view>
#include <unistd.h>

namespace {

int Usage() {
    std::cerr << "usage: quorlen-sample-service [--port N]   (N = 0 picks a free port)\n";
    return 2;
}

} // namespace

int main(int argc, char** argv) {
    int port = 0;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        std::string value;
        if (arg == "--port" && i + 1 < argc)
            value = argv[++i];
        else if (arg.starts_with("--port="))
            value = std::string(arg.substr(7));
        else
            return Usage();
        char* end = nullptr;
        const long parsed = std::strtol(value.c_str(), &end, 10);
        if (value.empty() || *end != '\0' || parsed < 0 || parsed > 65535)
            return Usage();
        port = static_cast<int>(parsed);
    }

    // Block the stop signals before any thread starts, so that only the wait below sees them.
    sigset_t stopSignals;
    sigemptyset(&stopSignals);
    sigaddset(&stopSignals, SIGINT);
    sigaddset(&stopSignals, SIGTERM);
    pthread_sigmask(SIG_BLOCK, &stopSignals, nullptr);

    quorlen::demo::SampleService service;
    if (!service.Start(port)) {
        std::cerr << "quorlen-sample-service: cannot listen on 127.0.0.1:" << port << "\n";
        return 1;
    }
    std::cout << "listening on " << service.Origin() << std::endl;

    int received = 0;
    sigwait(&stopSignals, &received);
    service.Stop();
    return 0;
}
