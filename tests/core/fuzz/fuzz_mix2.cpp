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
    for (const Mix2Box& box : kMix2Boxes)
        in.members.*box.value = f.Double(in.members.*box.value);

    const Mix2Outcome out = CalculateMix2(in);
    FUZZ_CHECK(out.stopped == out.report.empty());
    FUZZ_CHECK(!out.passed || !out.stopped);
    FUZZ_CHECK(PrintsOnlyFiniteNumbers(out.report));
    return 0;
}
