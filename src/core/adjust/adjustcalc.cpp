#include "adjust/adjustcalc.h"

#include "adjust/adjustreport.h"
#include "common/exactdecimal.h"
#include "common/numberrule.h"

#include <utility>

namespace {

using i64 = std::int64_t;

// Bounds that keep every product well inside 64-bit fractions.
constexpr i64 kMassMax = 10000; // kg per m3
constexpr i64 kMoistureMax = 200; // 20.0 %
constexpr i64 kVolumeMax = 100000; // 10000.0 L
constexpr i64 kVolumeLeast = 200; // 20.0 L
constexpr i64 kDensityLow = 1800, kDensityHigh = 3000; // kg/m3
constexpr i64 kDeviationKept = 200; // 2.00 %

Fraction Mass(i64 units, int material)
{
    return Fraction::Units(units, AdjustMassDecimals(material));
}

AdjustOutcome Stop(AdjustOutcome out, const Message& message, AdjustBox focus)
{
    out.messages.push_back(message);
    out.stopped = true;
    out.focus = focus;
    out.results = AdjustResults {};
    return out;
}

AdjustOutcome Stop(AdjustOutcome out, const char* text, AdjustBox focus)
{
    return Stop(std::move(out), Message { MessageKind::Stop, text }, focus);
}

// A box that holds no number ends the press as in the other forms.
AdjustOutcome NotANumber(AdjustOutcome out, AdjustBox focus)
{
    out.notANumber = true;
    return Stop(std::move(out), NotANumberMessage(), focus);
}

// What a box holds as units of `decimals`, or none when it is no number.
std::optional<i64> Read(const std::string& text, int decimals)
{
    return ParseUnits(text, decimals);
}

} // namespace

int AdjustMassDecimals(int material)
{
    return material == kAdjustAdmixture ? 2 : 1;
}

AdjustOutcome CalculateAdjust(const AdjustInputs& in)
{
    AdjustOutcome out;
    AdjustResults& r = out.results;

    // Every box is read first, in the form's order.
    for (int m = 0; m < kAdjustMaterials; ++m) {
        const auto units = Read(in.masses[static_cast<size_t>(m)], AdjustMassDecimals(m));
        if (!units)
            return NotANumber(out, static_cast<AdjustBox>(m));
        r.design[static_cast<size_t>(m)] = *units;
    }
    std::optional<i64> measured;
    if (in.measuredDensity.find_first_not_of(" \t") != std::string::npos) {
        measured = Read(in.measuredDensity, 0);
        if (!measured)
            return NotANumber(out, AdjustBox::MeasuredDensity);
        if (*measured == 0)
            measured.reset(); // 0 means not measured
    }
    const struct
    {
        const std::string& text;
        AdjustBox box;
        i64& value;
    } rest[] = {
        { in.sandMoisture, AdjustBox::SandMoisture, r.sandMoisture },
        { in.coarseMoisture, AdjustBox::CoarseMoisture, r.coarseMoisture },
        { in.volume, AdjustBox::Volume, r.volume },
    };
    for (const auto& box : rest) {
        const auto units = Read(box.text, 1);
        if (!units)
            return NotANumber(out, box.box);
        box.value = *units;
    }

    for (int m = 0; m < kAdjustMaterials; ++m)
        if (r.design[static_cast<size_t>(m)] < 0)
            return Stop(out, "材料用量不能为负数。", static_cast<AdjustBox>(m));
    // Beyond any real mix; also what keeps the arithmetic exact.
    for (int m = 0; m < kAdjustMaterials; ++m)
        if (r.design[static_cast<size_t>(m)] > kMassMax * Pow10(AdjustMassDecimals(m)))
            return Stop(out, "每立方米材料用量不能超过10000kg。", static_cast<AdjustBox>(m));
    if (r.design[kAdjustCement] + r.design[kAdjustPowder1] + r.design[kAdjustPowder2] == 0)
        return Stop(out, "胶凝材料用量应大于0。", AdjustBox::Cement);
    if (r.sandMoisture < 0 || r.sandMoisture > kMoistureMax)
        return Stop(out, "含水率应在0～20%之间。", AdjustBox::SandMoisture);
    if (r.coarseMoisture < 0 || r.coarseMoisture > kMoistureMax)
        return Stop(out, "含水率应在0～20%之间。", AdjustBox::CoarseMoisture);
    if (r.volume <= 0 || r.volume > kVolumeMax)
        return Stop(out, "每盘方量应在0～10000L之间。", AdjustBox::Volume);
    if (r.volume < kVolumeLeast)
        out.messages.push_back({ MessageKind::Warn, "试配每盘混凝土的搅拌量不应少于20L。" });
    if (measured && (*measured < kDensityLow || *measured > kDensityHigh))
        return Stop(out, "实测表观密度应在1800～3000kg/m3之间。", AdjustBox::MeasuredDensity);

    // 1. The computed density: everything but the admixture.
    Fraction rhoC;
    for (int m = 0; m < kAdjustAdmixture; ++m)
        rhoC = rhoC + Mass(r.design[static_cast<size_t>(m)], m);
    r.computedDensity = rhoC.RoundUnits(1);

    // 2. The correction by the measured density, with δ as printed.
    r.lab = r.design;
    if (measured) {
        r.measuredDensity = measured;
        const Fraction rhoT(*measured);
        const i64 dev = ((rhoT - rhoC) / rhoC * Fraction(100)).RoundUnits(2);
        r.deviation = dev;
        if (dev > kDeviationKept || dev < -kDeviationKept) {
            r.corrected = true;
            const i64 delta = (rhoT / rhoC).RoundUnits(3);
            r.delta = delta;
            for (int m = 0; m < kAdjustMaterials; ++m) {
                const int d = AdjustMassDecimals(m);
                r.lab[static_cast<size_t>(m)]
                    = (Mass(r.design[static_cast<size_t>(m)], m) * Fraction::Units(delta, 3))
                          .RoundUnits(d);
            }
        }
    }

    // 3. The mix ratio of the laboratory mix, per unit of binder.
    const auto lab = [&r](int m) { return Mass(r.lab[static_cast<size_t>(m)], m); };
    const Fraction mb = lab(kAdjustCement) + lab(kAdjustPowder1) + lab(kAdjustPowder2);
    r.binder = mb.RoundUnits(1);
    if (r.binder
        == 0) // a correction cannot empty the binder within the bounds, but never divide by it
        return Stop(out, "胶凝材料用量应大于0。", AdjustBox::Cement);
    r.wb = (lab(kAdjustWater) / mb).RoundUnits(2);
    r.sandRatio = (lab(kAdjustSand) / mb).RoundUnits(2);
    r.coarseRatio = (lab(kAdjustCoarse) / mb).RoundUnits(2);
    r.waterRatio = r.wb;

    // 4. The site mix: the water the aggregates carry moves from the water to them.
    r.sandWater
        = (lab(kAdjustSand) * Fraction::Units(r.sandMoisture, 1) / Fraction(100)).RoundUnits(1);
    r.coarseWater
        = (lab(kAdjustCoarse) * Fraction::Units(r.coarseMoisture, 1) / Fraction(100)).RoundUnits(1);
    r.site = r.lab;
    r.site[kAdjustSand] += r.sandWater;
    r.site[kAdjustCoarse] += r.coarseWater;
    r.site[kAdjustWater] -= r.sandWater + r.coarseWater;
    if (r.site[kAdjustWater] < 0)
        return Stop(out, "骨料所含水量超过用水量，请检查含水率。", AdjustBox::SandMoisture);

    // 5. The batch of V litres.
    const Fraction litres = Fraction::Units(r.volume, 1) / Fraction(1000);
    for (int m = 0; m < kAdjustMaterials; ++m)
        r.batch[static_cast<size_t>(m)]
            = (Mass(r.site[static_cast<size_t>(m)], m) * litres).RoundUnits(kAdjustBatchDecimals);

    out.report = BuildAdjustReport(in.powder1Name, in.powder2Name, r);
    return out;
}
