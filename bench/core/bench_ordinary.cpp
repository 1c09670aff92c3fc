#include "ordinary/ordinarycalc.h"

#include <benchmark/benchmark.h>

namespace {

// One press of Calculate: a pumped, impermeable C35 with fly ash and slag
// between the rows of its tables, 31.5 mm stone, by the volume method, with
// the three trial mixes and the report. The slump alternates so that no call
// is the same as the last.
void BM_OrdinaryDesignWithReport(benchmark::State& state)
{
    OrdinaryInputs in;
    in.grade = 35;
    in.sigma = "4.6";
    in.cementGrade = 425;
    in.flyAsh = "15";
    in.slag = "12.5";
    in.aggregate = OrdinaryAggregate::Crushed;
    in.maxSize = 315;
    in.reducer = "22";
    in.admixture = "1.8";
    in.impermeability = 8;
    in.pumped = true;
    in.method = OrdinaryMethod::Volume;
    bool flip = false;
    for (auto _ : state) {
        in.slump = flip ? "180" : "160";
        flip = !flip;
        OrdinaryOutcome outcome = CalculateOrdinary(in);
        benchmark::DoNotOptimize(outcome.report.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_OrdinaryDesignWithReport);

} // namespace
