#include "adjust/adjustcalc.h"

#include <benchmark/benchmark.h>

namespace {

// One press of Calculate: a design corrected by its measured density, wet
// aggregates, a 25 L batch and the report. The density alternates so that
// no call is the same as the last.
void BM_AdjustWithReport(benchmark::State& state)
{
    AdjustInputs in;
    in.powder1Name = "粉煤灰";
    in.powder2Name = "矿渣粉";
    in.masses = { "420.3", "52.6", "52.6", "801", "891", "178.7", "7.9" };
    in.sandMoisture = "3.2";
    in.coarseMoisture = "1.2";
    bool flip = false;
    for (auto _ : state) {
        in.measuredDensity = flip ? "2300" : "2450";
        flip = !flip;
        AdjustOutcome outcome = CalculateAdjust(in);
        benchmark::DoNotOptimize(outcome.report.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_AdjustWithReport);

} // namespace
