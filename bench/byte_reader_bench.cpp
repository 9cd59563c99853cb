// Reading packed records field by field through the bounds-checked reader.
#include "platform/little_endian.h"

#include <benchmark/benchmark.h>

static void BM_ReadFloats(benchmark::State& state)
{
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(state.range(0)) * 4, 1);
    for (auto _ : state) {
        ByteReader in(bytes);
        float sum = 0;
        while (in.Remaining() >= 4) sum += in.F32();
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ReadFloats)->Arg(1 << 20);
