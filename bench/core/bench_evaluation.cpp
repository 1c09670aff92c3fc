#include "stats/evaluation.h"

#include <benchmark/benchmark.h>

#include <random>
#include <vector>

namespace {

// A large batch as a laboratory types it: three specimens a group, some of
// them scattered enough for the middle value or an invalid group.
std::vector<EvalGroup> Groups(size_t n)
{
    std::mt19937 rng(155);
    std::normal_distribution<double> strength(380.0, 40.0); // 0.1 MPa
    std::vector<EvalGroup> groups(n);
    for (EvalGroup& g : groups) {
        for (int i = 0; i < 3; ++i)
            g.strengths.push_back(std::max<std::int64_t>(1, std::llround(strength(rng))));
    }
    return groups;
}

void BM_Evaluate1000Groups(benchmark::State& state)
{
    EvaluationInputs in;
    in.groups = Groups(1000);
    for (auto _ : state) {
        const EvaluationOutcome out = Evaluate(in);
        if (out.stopped || out.report.empty())
            state.SkipWithError("the evaluation stopped");
        benchmark::DoNotOptimize(out.report.data());
    }
}
BENCHMARK(BM_Evaluate1000Groups)->Unit(benchmark::kMicrosecond);

} // namespace
