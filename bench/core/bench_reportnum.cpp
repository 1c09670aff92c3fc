#include "common/reportnum.h"

#include <benchmark/benchmark.h>

namespace {

void BM_ReportNumber(benchmark::State& state)
{
    double v = 135.58;
    for (auto _ : state) {
        benchmark::DoNotOptimize(ReportNumber(v, 2));
        v += 0.001;
    }
}
BENCHMARK(BM_ReportNumber);

void BM_ReportNumberTie(benchmark::State& state)
{
    for (auto _ : state)
        benchmark::DoNotOptimize(ReportNumber(250.25, 1));
}
BENCHMARK(BM_ReportNumberTie);

} // namespace
