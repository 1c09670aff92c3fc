#include "mix1/mix1calc.h"

#include <benchmark/benchmark.h>

namespace {

// One press of Calculate on the opening form: checks, twelve steps, the
// report text. Vg alternates so that no call is the same as the last.
void BM_Mix1CalculationWithReport(benchmark::State& state)
{
    Mix1Inputs in;
    bool flip = false;
    for (auto _ : state) {
        in.vg = flip ? 0.32 : 0.33;
        flip = !flip;
        Mix1Outcome outcome = CalculateMix1(in);
        benchmark::DoNotOptimize(outcome.report.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Mix1CalculationWithReport);

} // namespace
