// The portable load of our skin: header checks, LZMA decoding of the 368,932-byte body, the table
// copy and the atlas bounds, as every load of either program does it before Windows makes the
// atlas bitmap.
#include "skin/container/SkinContainer.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>
#include <vector>

namespace {

void LoadOurSkin(benchmark::State& state) {
    std::ifstream file(QIVYUN_SKIN_FILE, std::ios::binary);
    const std::vector<uint8_t> blob{std::istreambuf_iterator<char>(file), {}};
    qivyun::skin::SkinContainer skin;
    for (auto _ : state) {
        if (skin.Read(blob.data(), blob.size()) != qivyun::skin::SkinResult::Loaded) {
            state.SkipWithError("our skin does not load");
            break;
        }
        benchmark::DoNotOptimize(skin.Tables().parts[271].width);
    }
    state.SetBytesProcessed(int64_t(state.iterations()) * int64_t(skin.Layout().bodySize));
}
BENCHMARK(LoadOurSkin)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
