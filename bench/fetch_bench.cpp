// A 1 MiB and a 16 MiB body from a local server, fetched through FetchText (the internet
// functions, 512-byte reads into the text) and through a plain libcurl easy handle writing
// into a string, in the same run. The closing lines give the ratio of the two per size
// (medians when --benchmark_repetitions is given).
//
// Big buffers are kept on the heap for both sides (fixed malloc thresholds): where a page
// fault is expensive, as in a sandboxed kernel, glibc's moving mmap threshold otherwise
// decides at random whether a multi-megabyte buffer is fresh memory or reused, and that
// swamps the difference being measured.
#include "web/http_class.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <curl/curl.h>
#include <httplib.h>
#include <malloc.h>
#include <map>
#include <string>
#include <thread>

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

// Serves "/N" as N MiB of text without copying it for each request.
class BodyServer {
public:
    BodyServer() : m_body(16 * kMiB, 'x') {
        for (std::size_t i = 0; i < m_body.size(); i += 61)
            m_body[i] = '\n';
        m_server.Get(
            R"(/(\d+))", [this](const httplib::Request& request, httplib::Response& response) {
                const std::size_t size = std::stoul(request.matches[1]) * kMiB;
                response.set_content_provider(
                    size, "text/plain",
                    [this](std::size_t offset, std::size_t length, httplib::DataSink& sink) {
                        sink.write(m_body.data() + offset, std::min(length, kMiB));
                        return true;
                    });
            });
        m_port = m_server.bind_to_any_port("127.0.0.1");
        m_thread = std::thread([this] { m_server.listen_after_bind(); });
        while (!m_server.is_running())
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    ~BodyServer() {
        m_server.stop();
        m_thread.join();
    }
    std::string Url(std::int64_t mebibytes) const {
        return "http://127.0.0.1:" + std::to_string(m_port) + "/" + std::to_string(mebibytes);
    }

private:
    std::string m_body;
    httplib::Server m_server;
    int m_port = 0;
    std::thread m_thread;
};

BodyServer& Server() {
    static BodyServer server;
    return server;
}

std::size_t AppendToString(char* data, std::size_t size, std::size_t count, void* user) {
    static_cast<std::string*>(user)->append(data, size * count);
    return size * count;
}

void BM_FetchText(benchmark::State& state) {
    const std::string url = Server().Url(state.range(0));
    const quorlen::HttpClass http;
    for (auto _ : state) {
        const quorlen::Text text = http.FetchText(url);
        if (text.size() != static_cast<std::size_t>(state.range(0)) * kMiB)
            state.SkipWithError("short body");
        benchmark::DoNotOptimize(text.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * static_cast<std::int64_t>(kMiB));
}

void BM_CurlDirect(benchmark::State& state) {
    const std::string url = Server().Url(state.range(0));
    for (auto _ : state) {
        std::string body;
        CURL* easy = curl_easy_init();
        curl_easy_setopt(easy, CURLOPT_URL, url.c_str());
        curl_easy_setopt(easy, CURLOPT_WRITEFUNCTION, AppendToString);
        curl_easy_setopt(easy, CURLOPT_WRITEDATA, &body);
        if (curl_easy_perform(easy) != CURLE_OK ||
            body.size() != static_cast<std::size_t>(state.range(0)) * kMiB)
            state.SkipWithError("transfer failed");
        curl_easy_cleanup(easy);
        benchmark::DoNotOptimize(body.data());
    }
    state.SetBytesProcessed(state.iterations() * state.range(0) * static_cast<std::int64_t>(kMiB));
}

BENCHMARK(BM_FetchText)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_CurlDirect)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond)->UseRealTime();

// Keeps the real time per iteration of every run, to print the ratios at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "median")
                m_seconds[run.run_name.function_name + "/" + run.run_name.args] = {
                    run.real_accumulated_time / static_cast<double>(run.iterations)};
            else if (run.run_type == Run::RT_Iteration && run.iterations > 0)
                m_seconds[run.run_name.function_name + "/" + run.run_name.args].push_back(
                    run.real_accumulated_time / static_cast<double>(run.iterations));
        }
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() {
        for (const char* size : {"1", "16"}) {
            const double ours = Median(std::string("BM_FetchText/") + size);
            const double plain = Median(std::string("BM_CurlDirect/") + size);
            if (ours > 0 && plain > 0)
                std::printf("FetchText / plain curl at %s MiB: %.3f ms / %.3f ms = %.2f\n", size,
                            ours * 1e3, plain * 1e3, ours / plain);
        }
    }

private:
    double Median(const std::string& name) {
        std::vector<double>& times = m_seconds[name];
        if (times.empty())
            return 0;
        std::sort(times.begin(), times.end());
        return times[times.size() / 2];
    }

    std::map<std::string, std::vector<double>> m_seconds;
};

} // namespace

int main(int argc, char** argv) {
    mallopt(M_MMAP_THRESHOLD, 512 * 1024 * 1024);
    mallopt(M_TRIM_THRESHOLD, 1024 * 1024 * 1024);
    curl_global_init(CURL_GLOBAL_DEFAULT);
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
