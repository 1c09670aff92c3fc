#include "stats/stddev.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

// A long list of strengths as the input box gives them: floats widened.
std::vector<double> Strengths(size_t n)
{
    std::mt19937 rng(150);
    std::normal_distribution<float> strength(40.0f, 3.5f);
    std::vector<double> v;
    v.reserve(n);
    while (v.size() < n) {
        const float x = strength(rng);
        if (x > 0.0f && x <= kStrengthMax)
            v.push_back(static_cast<double>(x));
    }
    return v;
}

void BM_ComputeStdDev(benchmark::State& state)
{
    const std::vector<double> values = Strengths(static_cast<size_t>(state.range(0)));
    for (auto _ : state)
        benchmark::DoNotOptimize(ComputeStdDev(values, 0.0));
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_ComputeStdDev)->Arg(25)->Arg(10000)->Unit(benchmark::kMicrosecond);

} // namespace
