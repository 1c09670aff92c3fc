// The ordinary-concrete design on any choices and box texts: it never
// throws, a stop writes nothing, and a design holds together: the binder is
// its parts, the aggregates are sand and stone, nothing is at or below 0,
// the binder reaches its minimum and the trials lie a step apart around it.
#include "fuzzinput.h"
#include "ordinary/ordinarycalc.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput input(data, size);
    OrdinaryInputs in;
    // Choices, each with a value no list holds among them.
    const int grade = input.Byte() % 17;
    in.grade = grade == 16 ? 7 : grade == 0 ? 0 : 5 + 5 * grade;
    in.cementType = input.Flag() ? OrdinaryCement::PI : OrdinaryCement::PO;
    const int cementGrades[] = { 0, 325, 425, 525, 300 };
    in.cementGrade = cementGrades[input.Byte() % 5];
    const int kind = input.Byte() % 3;
    if (kind != 0)
        in.aggregate = kind == 1 ? OrdinaryAggregate::Crushed : OrdinaryAggregate::Gravel;
    const int sizes[] = { 0, 100, 160, 200, 315, 400, 250 };
    in.maxSize = sizes[input.Byte() % 7];
    in.workability = input.Flag() ? OrdinaryWorkability::Vebe : OrdinaryWorkability::Slump;
    in.structure = static_cast<OrdinaryStructure>(input.Byte() % 3);
    in.exposure = static_cast<OrdinaryExposure>(input.Byte() % 5);
    const std::uint8_t flags = input.Byte();
    in.airEntrained = flags & 1U;
    in.pumped = flags & 2U;
    in.massive = flags & 4U;
    in.method = flags & 8U ? OrdinaryMethod::Volume : OrdinaryMethod::Mass;
    in.impermeability = 2 * (input.Byte() % 24);
    in.frost = 50 * (input.Byte() % 12);

    // Then the boxes' texts, one a line.
    std::string* texts[] = { &in.sigma, &in.fce, &in.flyAsh, &in.gammaF, &in.slag, &in.gammaS,
        &in.fb, &in.slump, &in.vebe, &in.waterAdjust, &in.reducer, &in.admixture, &in.wb,
        &in.sandRatio, &in.mcp, &in.rhoC, &in.rhoF, &in.rhoK, &in.rhoS, &in.rhoG, &in.air };
    const std::string rest = input.Rest();
    std::size_t start = 0;
    for (std::string* text : texts) {
        if (start > rest.size())
            break;
        const std::size_t end = std::min(rest.find('\n', start), rest.size());
        *text = rest.substr(start, end - start);
        start = end + 1;
    }

    const OrdinaryOutcome out = CalculateOrdinary(in);
    FUZZ_CHECK(out.stopped == out.report.empty());
    if (out.stopped) {
        FUZZ_CHECK(!out.messages.empty() && out.messages.back().kind == MessageKind::Stop);
        FUZZ_CHECK(out.results.mix.binder == 0);
        return 0;
    }
    FUZZ_CHECK(out.report.compare(0, 2, "\r\n") == 0);
    const OrdinaryResults& r = out.results;
    FUZZ_CHECK(r.mix.binder >= r.binderMinimum.value_or(0) && r.mix.binder >= r.binderComputed);
    FUZZ_CHECK(r.density
        == r.mix.cement + r.mix.flyAsh + r.mix.slag + r.mix.sand + r.mix.stone + r.mix.water);
    FUZZ_CHECK(in.method == OrdinaryMethod::Volume || r.density == out.values.mcp);
    for (std::size_t i = 0; i < r.trials.size(); ++i) {
        const OrdinaryMix& t = r.trials[i];
        FUZZ_CHECK(t.cement > 0 && t.sand > 0 && t.stone > 0 && t.water == r.mix.water);
        FUZZ_CHECK(t.cement + t.flyAsh + t.slag == t.binder);
        FUZZ_CHECK(t.sand + t.stone == t.aggregates);
        if (i > 0) {
            FUZZ_CHECK(t.wb > r.trials[i - 1].wb);
            FUZZ_CHECK(t.sandRatio - r.trials[i - 1].sandRatio == 10);
        }
    }
    FUZZ_CHECK(r.trials[1].binder == r.mix.binder && r.trials[1].sand == r.mix.sand);
    return 0;
}
