// The acceptance evaluation on any pasted text and any choices: a block is
// taken whole or refused with its line, every strength taken lies in
// (0, 500], and an evaluation either stops with nothing written or reaches
// a verdict that is exactly "every condition holds".
#include "fuzzinput.h"
#include "stats/evaluation.h"
#include "stats/groupinput.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    EvaluationInputs in;
    const int grade = input.Byte() % static_cast<int>(kEvalGrades.size());
    in.fcuK = kEvalGrades[static_cast<size_t>(grade)].fcuK;
    in.gradeText = kEvalGrades[static_cast<size_t>(grade)].text;
    in.method = static_cast<EvalMethod>(input.Byte() % 4);
    in.size = static_cast<SpecimenSize>(input.Byte() % 3);
    in.factor = 40 + input.Byte() % 120;
    in.sigma0 = static_cast<std::int64_t>(input.Byte()) * 4 - 20;

    const GroupBlock block = ReadGroupBlock(input.Rest());
    FUZZ_CHECK(block.badLine == 0 || (block.groups.empty() && !block.message.empty()));
    for (const EvalGroup& g : block.groups) {
        FUZZ_CHECK(g.strengths.size() == 1 || g.strengths.size() == 3);
        for (std::int64_t s : g.strengths)
            FUZZ_CHECK(s > 0 && s <= 5000);
    }
    in.groups = block.groups;

    const EvaluationOutcome out = Evaluate(in);
    FUZZ_CHECK(out.stopped == out.report.empty());
    if (!out.stopped) {
        FUZZ_CHECK(out.report.compare(0, 2, "\r\n") == 0);
        FUZZ_CHECK(out.n > 0 && out.mean && out.min && *out.min <= *out.mean);
        bool all = true;
        for (const EvalCondition& c : out.conditions)
            all = all && c.met;
        FUZZ_CHECK(!out.conditions.empty() && out.passed == all);
    }
    return 0;
}
