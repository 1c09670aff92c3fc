#include "mix2/mix2calc.h"

#include "common/reportnum.h"
#include "common/roundto.h"
#include "mix2/mix2lists.h"
#include "mix2/mix2report.h"

#include <cmath>
#include <initializer_list>

namespace {

const char* const kBadInput = "请检查，输入的数值有错误。";
const char* const kWaterRange = "规程要求：用水量取值范围是：155～180（kg）。";
const char* const kReplaceLimit
    = "取代水泥系数有最大限值要求，与混凝土种类和水泥类型相关，详细请参阅规程。";
const char* const kExcessBelowOne = "超量系数应大于1。";
const char* const kExcessUsual = "超量系数通常取值范围：1.1～1.7，等量时取1。";
const char* const kAirUsual = "含气量通常取值范围是：1.5～4.0％。";
const char* const kReplaceSum = "两种粉体材料取代系数之和应小于50％，即取代水泥上限不超过50％。";
const char* const kWcMax = "《普通混凝土配合比设计规程》规定最大水灰比不超过0.7，请重新设计。";
const char* const kCementMin
    = "《普通混凝土配合比设计规程》规定最小水泥用量不低于200kg，请重新设计。。";
const char* const kCheckFailed = "不符合自密实性能要求，请重新设计。";
const char* const kInvalidResult = "计算结果无效，请检查输入的数值。";

double R1(double x)
{
    return RoundTo(x, 1);
}
double R2(double x)
{
    return RoundTo(x, 2);
}

// A rounded value as the decimal it prints as, counted in its last decimal
// place: 70 for a w/c of 0.70, although 70 * 0.01 lies just above 0.7. The
// count is a whole double, so comparing it with a bound in the same steps is
// exact and cannot overflow.
double Tenths(double rounded)
{
    return std::round(rounded * 10);
}
double Hundredths(double rounded)
{
    return std::round(rounded * 100);
}

struct Powder
{
    double mf = 0, vf = 0, mc = 0, mj = 0;
};

// One powder by its class. An active powder replaces r % of the theoretical
// cement and is dosed at k times the replaced mass; an inert filler is given
// by volume, replaces nothing and is no binder. Powder 2's replaced cement
// is left unrounded, as the method has always done.
Powder PowderOf(int powderClass, double r, double k, double density, double inertVol, double mco,
    bool roundReplaced)
{
    Powder p;
    if (powderClass == 1) {
        p.mf = R1(k * r * mco * 0.01);
        p.vf = R1(p.mf / density);
        p.mc = roundReplaced ? R1(r * mco * 0.01) : r * mco * 0.01;
        p.mj = p.mf;
    } else if (powderClass == 2) {
        p.vf = R1(inertVol);
        p.mf = R1(p.vf * density);
    }
    return p;
}

bool AllFinite(std::initializer_list<double> values)
{
    for (double v : values) {
        if (!std::isfinite(v))
            return false;
    }
    return true;
}

void Warn(Mix2Outcome& out, const std::string& text)
{
    out.messages.push_back({ MessageKind::Warn, text });
}

Mix2Outcome& Stop(Mix2Outcome& out, const std::string& text)
{
    out.messages.push_back({ MessageKind::Stop, text });
    out.stopped = true;
    return out;
}

} // namespace

std::string Mix2FailureMessage(const Mix2Work& w, const Mix2Check& check)
{
    std::string text;
    if (check.powderLow)
        text += "粉体量＝" + ReportNumber(w.vf, 1) + "＜160 升，不符合。\n";
    if (check.powderHigh)
        text += "粉体量＝" + ReportNumber(w.vf, 1) + "＞230 升，不符合。\n";
    if (check.ratioLow)
        text += "水粉比＝" + ReportNumber(w.wp, 2) + "＜0.8，不符合。\n";
    if (check.ratioHigh)
        text += "水粉比＝" + ReportNumber(w.wp, 2) + "＞1.15，不符合。\n";
    if (check.pasteLow)
        text += "浆体量＝" + ReportNumber(w.vpaste, 1) + "＜320升，不符合。\n";
    if (check.pasteHigh)
        text += "浆体量＝" + ReportNumber(w.vpaste, 1) + "＞400升，不符合。\n";
    return text + kCheckFailed;
}

Mix2Outcome CalculateMix2(const Mix2Inputs& in)
{
    Mix2Outcome out;
    out.members = in.members;
    Mix2Members& m = out.members; // box values stay as read until the end
    Mix2Work& w = out.work;

    // Input checks. Every powder field is checked whatever its class.
    if (m.stdDev < 0 || m.cementSurplus < 1 || m.cementDensity <= 0 || m.airContent < 0
        || m.coarseVolume < 0 || m.coarseDensity <= 0 || m.sandDensity <= 0 || m.water < 0
        || m.powder1Density <= 0 || m.powder2Density <= 0 || m.powder1Replace < 0
        || m.powder2Replace < 0 || m.powder1InertVol < 0 || m.powder2InertVol < 0)
        return Stop(out, kBadInput);

    if (auto notice = ApplySfGrade(m, in.lists.sfGrade))
        out.messages.push_back(*notice);

    // Plausibility: the water and the replacement fields are judged as entered,
    // the excess coefficients only on active powders.
    if (m.water < 155 || m.water > 180)
        Warn(out, kWaterRange);
    if (m.powder1Replace > 50 || m.powder2Replace > 50)
        Warn(out, kReplaceLimit);
    const bool active1 = m.powder1Class == 1;
    const bool active2 = m.powder2Class == 1;
    if ((active1 && m.powder1Excess < 1) || (active2 && m.powder2Excess < 1))
        return Stop(out, kExcessBelowOne);
    if ((active1 && m.powder1Excess > 1.7) || (active2 && m.powder2Excess > 1.7))
        Warn(out, kExcessUsual);
    if (m.airContent > 4.0)
        Warn(out, kAirUsual);
    if (m.powder1Replace + m.powder2Replace > 50)
        Warn(out, kReplaceSum);

    ApplyStrengthGrade(m, in.lists.strengthGrade);
    ApplyCementGrade(m, in.lists.cementGrade);
    ApplyAggregateKind(m, in.lists.aggregateKind);

    // Each expression left to right in double precision; R1/R2 only where the
    // method rounds, and each rounded value is the one used from then on.
    w.fcuO = m.strength + 1.645 * m.stdDev;
    w.fce = m.cementSurplus * m.cementGrade;
    w.wc = R2(m.alphaA * w.fce / (w.fcuO + m.alphaA * m.alphaB * w.fce));
    w.water = R1(m.water);
    w.mco = R1(w.water / w.wc);
    w.vco = R1(w.mco / m.cementDensity);

    const Powder p1 = PowderOf(m.powder1Class, m.powder1Replace, m.powder1Excess, m.powder1Density,
        m.powder1InertVol, w.mco, true);
    const Powder p2 = PowderOf(m.powder2Class, m.powder2Replace, m.powder2Excess, m.powder2Density,
        m.powder2InertVol, w.mco, false);
    w.mf1 = p1.mf, w.vf1 = p1.vf, w.mc1 = p1.mc, w.mj1 = p1.mj;
    w.mf2 = p2.mf, w.vf2 = p2.vf, w.mc2 = p2.mc, w.mj2 = p2.mj;

    w.mc = R1(w.mco - w.mc1 - w.mc2);
    w.vc = R1(w.mc / m.cementDensity);

    // The water volume in litres is Mw itself.
    w.vf = R1(w.vc + w.vf1 + w.vf2);
    w.wp = R2(w.water / w.vf);
    w.vpaste = R1(w.vf + w.water);

    Mix2Check& c = out.check;
    c.powderLow = Tenths(w.vf) < 1600;
    c.powderHigh = Tenths(w.vf) > 2300;
    c.ratioLow = Hundredths(w.wp) < 80;
    c.ratioHigh = Hundredths(w.wp) > 115;
    c.pasteLow = Tenths(w.vpaste) < 3200;
    c.pasteHigh = Tenths(w.vpaste) > 4000;
    out.passed = c.Passed();

    // The inputs the report prints count too: a box never reads as NaN or
    // infinity, but the core does not rely on its caller for that.
    bool finite = AllFinite({ w.fcuO, w.fce, w.wc, w.water, w.mco, w.vco, w.mf1, w.vf1, w.mc1,
                      w.mc2, w.mf2, w.vf2, w.mc, w.vc, w.vf, w.wp, w.vpaste })
        && AllFinite({ m.strength, m.cementGrade, m.cementSurplus, m.cementDensity, m.stdDev,
            m.coarseDensity, m.sandDensity, m.alphaA, m.alphaB, m.coarseVolume, m.airContent })
        && (m.powder1Class != 1
            || AllFinite({ m.powder1Replace, m.powder1Excess, m.powder1Density }))
        && (m.powder2Class != 1
            || AllFinite({ m.powder2Replace, m.powder2Excess, m.powder2Density }))
        && (m.powder1Class != 2 || std::isfinite(m.powder1Density))
        && (m.powder2Class != 2 || std::isfinite(m.powder2Density));
    if (out.passed) {
        // The fine aggregate takes the unrounded 1000 × Vg,abs.
        w.vg = R1(1000 * m.coarseVolume);
        w.mg = R1(w.vg * m.coarseDensity);
        w.vgas = 10 * m.airContent;
        w.vs = R1(1000 - w.water - w.vf - 1000 * m.coarseVolume - 10 * m.airContent);
        w.ms = R1(w.vs * m.sandDensity);
        // An inert filler's mass is in neither the binder nor the ratio.
        w.mj = w.mc + w.mj1 + w.mj2;
        w.wb = R2(w.water / w.mj);
        finite
            = finite && AllFinite({ w.vg, w.mg, w.vgas, w.vs, w.ms, w.mj, w.wb, w.water / w.mj });
    }
    // A zero divisor (w/c or Vf rounded to 0, no binder) or an overflow ends
    // the press before anything is written.
    if (!finite) {
        out.passed = false;
        out.check = Mix2Check {};
        out.work = Mix2Work {};
        return Stop(out, kInvalidResult);
    }

    if (Hundredths(w.wc) > 70)
        Warn(out, kWcMax);
    if (Tenths(w.mco) < 2000)
        Warn(out, kCementMin);
    if (!out.passed)
        Warn(out, Mix2FailureMessage(w, c));

    // Write-back: the rounded water and the powder volumes of this press in
    // the inert fields, so a powder switched to inert starts from its last
    // volume; the results only after a passed check.
    m.water = w.water;
    m.powder1InertVol = w.vf1;
    m.powder2InertVol = w.vf2;
    if (out.passed) {
        m.volWater = w.water;
        m.massWater = w.water;
        m.volCement = w.vc;
        m.massCement = w.mc;
        m.volPowder1 = w.vf1;
        m.massPowder1 = w.mf1;
        m.volPowder2 = w.vf2;
        m.massPowder2 = w.mf2;
        m.volSand = w.vs;
        m.massSand = w.ms;
        m.volCoarse = w.vg;
        m.massCoarse = w.mg;
    }

    out.report = BuildMix2Report(m, w, c);
    return out;
}
