// The method-1 calculation on any inputs: it never crashes, and it either
// stops without a report or reports only finite numbers.
#include "fuzzinput.h"
#include "mix1/mix1calc.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput f(data, size);
    Mix1Inputs in;
    in.performanceIndex = f.Index(3);
    in.strengthIndex = f.Index(16);
    in.cementIndex = f.Index(6);
    in.customRatio = f.Flag();
    in.fcuK = f.Double(in.fcuK);
    in.fceG = f.Double(in.fceG);
    in.sigma = f.Double(in.sigma);
    in.rhoC = f.Double(in.rhoC);
    in.wb = f.Double(in.wb);
    in.vg = f.Double(in.vg);
    in.phiS = f.Double(in.phiS);
    in.beta1 = f.Double(in.beta1);
    in.beta2 = f.Double(in.beta2);
    in.va = f.Double(in.va);
    in.rhoG = f.Double(in.rhoG);
    in.rhoS = f.Double(in.rhoS);
    in.rhoF = f.Double(in.rhoF);
    in.rhoK = f.Double(in.rhoK);
    in.alpha = f.Double(in.alpha);

    const Mix1Outcome out = CalculateMix1(in);
    FUZZ_CHECK(out.stopped == out.report.empty());
    FUZZ_CHECK(!out.stopped || (!out.messages.empty() && out.messages.back().kind == MessageKind::Stop));
    FUZZ_CHECK(PrintsOnlyFiniteNumbers(out.report));
    return 0;
}
