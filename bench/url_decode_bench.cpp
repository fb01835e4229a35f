// UrlDecodeUtf8 on a 10 MiB profile-like page (about 70% of the bytes ASCII markup, 30%
// Chinese, an escape every few hundred bytes) beside glibc's iconv converting the same
// bytes from UTF-8 to CP936. iconv runs without //TRANSLIT: every character of the page is
// in CP936, so it never has to substitute, and the plain conversion is its fastest. It
// leaves the escapes as they are, so it does slightly less work than the page decoding.
// The last line printed is the ratio of the two throughputs.
#include "codec/reference_conversion.h"
#include "codec/url_decode.h"

#include <benchmark/benchmark.h>
#include <iconv.h>
#include <map>
#include <ostream>
#include <random>
#include <string>

namespace {

constexpr std::size_t kPageSize = 10 * 1024 * 1024;

std::string Utf8Of(char32_t code) {
    return {static_cast<char>(0xE0 | (code >> 12)), static_cast<char>(0x80 | ((code >> 6) & 0x3F)),
            static_cast<char>(0x80 | (code & 0x3F))};
}

const std::string& Page() {
    static const std::string page = [] {
        static constexpr const char* kMarkup[] = {
            "<div class=\"profile-item\">",
            "<span class=\"profile-attr\">",
            "</span>",
            "<span class=\"profile-cnt\">",
            "</div>\n",
            "<li class=\"edu\">",
            "</li>",
            "<a href=\"/p/user/detail?from=profile&amp;tab=2\">",
            "</a>",
            "style=\"width:100%;height:20px\" ",
            "<img src=\"http://img.example/portrait/",
            "\" alt=\"\"/>",
            "<script>var t=1;</script>",
            "  ",
        };
        static constexpr const char* kEscapes[] = {"%20", "%E4%B8%AD", "%3D", "%2F", "%e5%bc%a0"};
        std::mt19937 random(2024);
        const auto below = [&](int n) {
            return std::uniform_int_distribution<int>(0, n - 1)(random);
        };
        std::string text;
        text.reserve(kPageSize + 256);
        while (text.size() < kPageSize) {
            // About 70 ASCII bytes, then a run of about ten Chinese characters (30 bytes).
            const std::size_t asciiEnd = text.size() + 20 + static_cast<std::size_t>(below(101));
            while (text.size() < asciiEnd)
                text += kMarkup[below(static_cast<int>(std::size(kMarkup)))];
            if (below(3) == 0)
                text += kEscapes[below(static_cast<int>(std::size(kEscapes)))];
            for (int n = 2 + below(17); n > 0; --n)
                text += Utf8Of(0x4E00 + static_cast<char32_t>(below(0x9FA5 - 0x4E00 + 1)));
        }
        text.resize(kPageSize, ' ');
        return text;
    }();
    return page;
}

void BM_UrlDecodeUtf8(benchmark::State& state) {
    const std::string& page = Page();
    if (quorlen::UrlDecodeUtf8(page) != quorlen::reference::UrlDecodeUtf8(page)) {
        state.SkipWithError("the fast decoding differs from the reference");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(quorlen::UrlDecodeUtf8(page));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}

void BM_IconvUtf8ToCp936(benchmark::State& state) {
    const std::string& page = Page();
    const iconv_t converter = iconv_open("CP936", "UTF-8");
    if (converter == reinterpret_cast<iconv_t>(-1)) {
        state.SkipWithError("iconv has no CP936");
        return;
    }
    for (auto _ : state) {
        // A fresh result each time, as UrlDecodeUtf8 makes one.
        std::string out(page.size(), '\0');
        char* in = const_cast<char*>(page.data());
        std::size_t inLeft = page.size();
        char* to = out.data();
        std::size_t outLeft = out.size();
        iconv(converter, nullptr, nullptr, nullptr, nullptr);
        if (iconv(converter, &in, &inLeft, &to, &outLeft) == static_cast<std::size_t>(-1)) {
            state.SkipWithError("iconv stopped before the end of the page");
            break;
        }
        out.resize(out.size() - outLeft);
        benchmark::DoNotOptimize(out);
    }
    iconv_close(converter);
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * page.size()));
}

// The console output, plus the ratio of the two throughputs once both have run.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    RatioReporter() : ConsoleReporter(OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto rate = run.counters.find("bytes_per_second");
            if (!run.error_occurred && rate != run.counters.end())
                m_rates[run.benchmark_name()] = rate->second.value;
        }
    }

    void Finalize() override {
        ConsoleReporter::Finalize();
        const auto ours = m_rates.find("BM_UrlDecodeUtf8");
        const auto iconv = m_rates.find("BM_IconvUtf8ToCp936");
        if (ours != m_rates.end() && iconv != m_rates.end() && iconv->second > 0)
            GetOutputStream() << "UrlDecodeUtf8 / iconv throughput: "
                              << ours->second / iconv->second << "\n";
    }

private:
    std::map<std::string, double> m_rates;
};

} // namespace

BENCHMARK(BM_UrlDecodeUtf8)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_IconvUtf8ToCp936)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
    return 0;
}
