// The method-2 calculation on any inputs and classes: it never crashes, and
// it either stops without a report or reports only finite numbers.
#include "fuzzinput.h"
#include "mix2/mix2calc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput f(data, size);
    Mix2Inputs in;
    in.lists.sfGrade = f.Index(3);
    in.lists.strengthGrade = f.Index(16);
    in.lists.cementGrade = f.Index(6);
    in.lists.aggregateKind = f.Index(2);
    in.members.powder1Class = f.Index(3);
    in.members.powder2Class = f.Index(3);
    for (double Mix2Members::*value : { &Mix2Members::coarseVolume, &Mix2Members::cementSurplus,
             &Mix2Members::stdDev, &Mix2Members::powder1Replace, &Mix2Members::powder2Replace,
             &Mix2Members::powder1Excess, &Mix2Members::powder2Excess, &Mix2Members::sandDensity,
             &Mix2Members::coarseDensity, &Mix2Members::airContent, &Mix2Members::powder1Density,
             &Mix2Members::powder2Density, &Mix2Members::water, &Mix2Members::volPowder1,
             &Mix2Members::volPowder2, &Mix2Members::volSand, &Mix2Members::volCement,
             &Mix2Members::volCoarse, &Mix2Members::volWater, &Mix2Members::massPowder1,
             &Mix2Members::massPowder2, &Mix2Members::massSand, &Mix2Members::massCement,
             &Mix2Members::massCoarse, &Mix2Members::massWater, &Mix2Members::cementDensity,
             &Mix2Members::powder1InertVol, &Mix2Members::powder2InertVol })
        in.members.*value = f.Double(in.members.*value);

    const Mix2Outcome out = CalculateMix2(in);
    FUZZ_CHECK(out.stopped == out.report.empty());
    FUZZ_CHECK(!out.passed || !out.stopped);
    FUZZ_CHECK(PrintsOnlyFiniteNumbers(out.report));
    return 0;
}
