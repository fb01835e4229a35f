// FindMarker over ordinary page text and over text built to be full of misaligned
// near-matches, at 1 MiB and 16 MiB. A linear search takes ~16x longer for 16x the text;
// a quadratic one would take ~256x.
#include "query/find_marker.h"

#include <benchmark/benchmark.h>
#include <string>

namespace {

constexpr std::size_t kMiB = 1024 * 1024;
constexpr std::string_view kMarker = "</div> </div> <div id=foot>";

// GBK page text: markup with Chinese labels and values (性别 男, 居住地 北京).
std::string OrdinaryText(std::size_t size) {
    const std::string piece = "<div class=profile-item><span class=profile-attr>\xD0\xD4\xB1\xF0"
                              "</span><span class=profile-cnt>\xC4\xD0</span></div>\n"
                              "<li>\xBE\xD3\xD7\xA1\xB5\xD8 \xB1\xB1\xBE\xA9</li>";
    std::string text;
    text.reserve(size + kMarker.size());
    while (text.size() + piece.size() <= size)
        text += piece;
    text.resize(size, ' ');
    return text;
}

// 中 (D6 D0) over and over: the two-byte marker D0 D6 matches at every second byte.
std::string MisalignedText(std::size_t size) {
    std::string text;
    text.reserve(size);
    while (text.size() + 2 <= size)
        text += "\xD6\xD0";
    text.resize(size, 'x');
    return text;
}

void Run(benchmark::State& state, const std::string& text, std::string_view marker) {
    for (auto _ : state)
        benchmark::DoNotOptimize(quorlen::FindMarker(text, marker));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}

void BM_FindMarkerOrdinary(benchmark::State& state) {
    const std::string text =
        OrdinaryText(static_cast<std::size_t>(state.range(0)) * kMiB) + std::string(kMarker);
    Run(state, text, kMarker);
}

void BM_FindMarkerMisaligned(benchmark::State& state) {
    // The only aligned occurrence is at the very end, after an ASCII byte.
    const std::string text =
        MisalignedText(static_cast<std::size_t>(state.range(0)) * kMiB) + "x\xD0\xD6";
    Run(state, text, "\xD0\xD6");
}

} // namespace

BENCHMARK(BM_FindMarkerOrdinary)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_FindMarkerMisaligned)->Arg(1)->Arg(16)->Unit(benchmark::kMillisecond);
BENCHMARK_MAIN();
