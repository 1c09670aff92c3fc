#include "mix2/mix2calc.h"

#include <benchmark/benchmark.h>

namespace {

// One press with the opening values: every step, the full 73-line report.
void BM_Mix2Press(benchmark::State& state)
{
    Mix2Inputs in;
    for (auto _ : state) {
        Mix2Outcome out = CalculateMix2(in);
        benchmark::DoNotOptimize(out.report.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Mix2Press);

// A press whose check fails: the report stops after step 4.
void BM_Mix2PressFailedCheck(benchmark::State& state)
{
    Mix2Inputs in;
    in.members.powder1Class = 0;
    in.members.powder2Class = 0;
    for (auto _ : state) {
        Mix2Outcome out = CalculateMix2(in);
        benchmark::DoNotOptimize(out.report.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_Mix2PressFailedCheck);

} // namespace
