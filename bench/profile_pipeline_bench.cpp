// The page pipeline of one query without the network: decode, crop, reset and fill into a
// display model, on a sample page of the size real profile pages have (~55 KB) and on one
// grown to 1, 4 and 16 MiB by repeating page furniture before the profile. The work is
// linear in the page size. Up to a few MiB glibc hands the two page-sized texts (decoded and
// cropped) the same memory each time; at 16 MiB each is mapped afresh and its page faults
// come on top (GLIBC_TUNABLES=glibc.malloc.mmap_threshold=4294967295:glibc.malloc.
// trim_threshold=4294967295 keeps the memory and shows the pipeline alone).
#include "codec/url_decode.h"
#include "demo/profile_page.h"
#include "demo/sample_users.h"
#include "query/display_model.h"
#include "query/find_marker.h"
#include "query/profile_fields.h"

#include <benchmark/benchmark.h>

namespace {

constexpr std::size_t kMiB = 1024 * 1024;

std::string SamplePage(std::size_t furnitureBytes) {
    return quorlen::demo::ProfilePage(quorlen::demo::SampleUsers()[0], "http://127.0.0.1:8089",
                                      furnitureBytes);
}

// A display that records nothing, so that the pipeline itself is measured.
class NullDisplay final : public quorlen::Display {
public:
    void SetText(std::string_view, std::string_view) override {}
    void SetTextColor(std::string_view, std::uint32_t) override {}
    void SetStrikeout(std::string_view, bool) override {}
    void SetPicture(std::string_view, const quorlen::Bytes&) override {}
};

template <typename Display>
void RunPipeline(benchmark::State& state, const std::string& body) {
    for (auto _ : state) {
        Display display;
        int position = 0;
        const quorlen::Text page = quorlen::CutBetween(quorlen::UrlDecodeUtf8(body), "stylesheet",
                                                       "</div> </div> <div id=foot>", position);
        quorlen::ResetProfileFields(display);
        quorlen::FillProfileSections(display, page);
        benchmark::DoNotOptimize(page.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * body.size()));
    state.counters["page_bytes"] = static_cast<double>(body.size());
}

void BM_PipelineSamplePage(benchmark::State& state) {
    RunPipeline<quorlen::DisplayModel>(state, SamplePage(quorlen::demo::kDefaultFurnitureBytes));
}

void BM_PipelineSamplePageNullDisplay(benchmark::State& state) {
    RunPipeline<NullDisplay>(state, SamplePage(quorlen::demo::kDefaultFurnitureBytes));
}

void BM_PipelineLargePage(benchmark::State& state) {
    RunPipeline<quorlen::DisplayModel>(state,
                                       SamplePage(static_cast<std::size_t>(state.range(0)) * kMiB));
}

// The stages on their own, on the sample page.
void BM_DecodeSamplePage(benchmark::State& state) {
    const std::string body = SamplePage(quorlen::demo::kDefaultFurnitureBytes);
    for (auto _ : state)
        benchmark::DoNotOptimize(quorlen::UrlDecodeUtf8(body));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * body.size()));
}

void BM_FillSamplePage(benchmark::State& state) {
    int position = 0;
    const quorlen::Text page = quorlen::CutBetween(
        quorlen::UrlDecodeUtf8(SamplePage(quorlen::demo::kDefaultFurnitureBytes)), "stylesheet",
        "</div> </div> <div id=foot>", position);
    for (auto _ : state) {
        NullDisplay display;
        quorlen::FillProfileSections(display, page);
    }
}

} // namespace

BENCHMARK(BM_PipelineSamplePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PipelineSamplePageNullDisplay)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_DecodeSamplePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_FillSamplePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_PipelineLargePage)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
