#include "adjust/adjustdesign.h"

#include "common/exactdecimal.h"
#include "common/reportnum.h"
#include "mix1/mix1calc.h"
#include "mix2/mix2members.h"
#include "ordinary/ordinarycalc.h"

namespace {

// As a number box shows a value.
std::string Box(double value)
{
    return FormatGeneral(value, 15);
}

} // namespace

AdjustInputs AdjustInputsFromMix1(const Mix1Results& r)
{
    AdjustInputs in;
    in.powder1Name = "粉煤灰";
    in.powder2Name = "矿渣粉";
    in.masses = { Box(r.cementMass), Box(r.flyAshMass), Box(r.slagMass), Box(r.sandMass),
        Box(r.coarseMass), Box(r.waterMass), Box(r.admixtureMass) };
    return in;
}

AdjustInputs AdjustInputsFromMix2(const Mix2Members& m)
{
    AdjustInputs in;
    in.powder1Name = m.powder1Name;
    in.powder2Name = m.powder2Name;
    in.masses = { Box(m.massCement), Box(m.massPowder1), Box(m.massPowder2), Box(m.massSand),
        Box(m.massCoarse), Box(m.massWater), "0" };
    return in;
}

AdjustInputs AdjustInputsFromOrdinary(const OrdinaryMix& m)
{
    AdjustInputs in;
    in.powder1Name = "粉煤灰";
    in.powder2Name = "矿渣粉";
    const auto kg = [](std::int64_t units) { return std::to_string(units); };
    in.masses = { kg(m.cement), kg(m.flyAsh), kg(m.slag), kg(m.sand), kg(m.stone), kg(m.water),
        UnitsText(m.admixture, 2) };
    return in;
}
