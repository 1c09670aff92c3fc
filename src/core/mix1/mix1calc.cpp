#include "mix1/mix1calc.h"

#include "common/reportnum.h"
#include "common/roundto.h"
#include "mix1/mix1report.h"

#include <charconv>
#include <cmath>
#include <initializer_list>
#include <string>

namespace {

constexpr double kRhoW = 1000; // kg/m3, water
// Put in place of the fly-ash or slag density when that powder is not used,
// so that the report still shows a density and no step divides by zero.
constexpr double kUnusedPowderDensity = 2300; // kg/m3

// The checks before any computation, in the order they are shown.
// False when one of them stops the press.
bool PassesChecks(const Mix1Inputs& in, Messages& messages)
{
    const auto stop = [&](const char* text) {
        messages.push_back({ MessageKind::Stop, text });
        return false;
    };
    const auto warn = [&](const char* text) { messages.push_back({ MessageKind::Warn, text }); };

    if (in.sigma < 0 || in.rhoC <= 0 || in.beta1 < 0 || in.beta2 < 0 || in.rhoG <= 0 || in.rhoS <= 0
        || in.va < 0 || in.vg <= 0 || in.alpha < 0)
        return stop("输入的数值有错误，请更正。");
    if (in.beta1 > 0 && in.rhoF <= 0)
        return stop("粉煤灰表观密度输入有错误，请更正。");
    if (in.beta2 > 0 && in.rhoK <= 0)
        return stop("矿渣粉表观密度输入有错误，请更正。");
    if (in.beta1 > 0.3)
        warn("粉煤灰占胶凝材料质量分数应该≤0.3，请更正。");
    if (in.beta2 > 0.4)
        warn("矿渣粉占胶凝材料质量分数应该≤0.4，请更正。");
    if (in.beta1 + in.beta2 < 0.2)
        warn("规程规定：粉煤灰、矿渣粉占胶凝材料质量分数不宜小于0.2，建议调整。");
    if (in.phiS < 0.42 || in.phiS > 0.45)
        return stop("规程规定：砂的体积分数取值范围是0.42～0.45，请重新选取。");
    if (in.vg < 0.28 || in.vg > 0.35)
        return stop("规程规定：粗骨料体积取值范围是0.28～0.35，请重新选取。");
    if (in.va < 10 || in.va > 20)
        warn("规程规定：引入空气的体积取值范围是10～20 (L)，建议调整。");
    // The grade's own range; no selection, no check.
    if (const PerformanceGrade* grade = PerformanceGradeAt(in.performanceIndex))
        if (!grade->Admits(in.vg))
            return stop(grade->vgMessage);
    return true;
}

bool AllFinite(std::initializer_list<double> values)
{
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    return true;
}

// The twelve steps, each expression evaluated left to right as the report
// writes it (a reordered formula changes the last digits). Every rounded
// value replaces the unrounded one for all later steps. Returns false as
// soon as a quantity is not a finite number, before the warnings of later
// steps.
bool Compute(Mix1Inputs& in, Mix1Working& w, Messages& messages)
{
    // 1. Mg from Vg as entered, then the rounded Vg from here on.
    w.mg = RoundTo(in.vg * in.rhoG, 1);
    w.vg = RoundTo(in.vg, 2);
    // 2.
    w.vm = RoundTo(1 - w.vg, 2);
    // 3. Φs is used as entered. 4.
    w.vs = RoundTo(in.phiS * w.vm, 2);
    w.ms = RoundTo(w.vs * in.rhoS, 1);
    // 5.
    w.vp = RoundTo(w.vm - w.vs, 2);
    if (!AllFinite({ w.mg, w.vg, w.vm, w.vs, w.ms, w.vp }))
        return false;

    // 6.
    if (in.beta1 == 0)
        in.rhoF = kUnusedPowderDensity;
    if (in.beta2 == 0)
        in.rhoK = kUnusedPowderDensity;
    const double binderVolumePerKg
        = (1 - in.beta1 - in.beta2) / in.rhoC + in.beta1 / in.rhoF + in.beta2 / in.rhoK;
    const double rhoB = 1 / binderVolumePerKg;
    w.rhoB = RoundTo(rhoB, 0);
    if (!AllFinite({ rhoB, w.rhoB }))
        return false;

    // 7. One rule for every grade.
    w.fcu0 = RoundTo(in.fcuK + 1.645 * in.sigma, 1);
    if (!AllFinite({ w.fcu0 }))
        return false;

    // 8. 0.462 is 0.42 × 1.1, applied as one factor.
    if (in.customRatio) {
        in.wb = RoundTo(in.wb, 2);
        if (!AllFinite({ in.wb }))
            return false;
        // Tested after rounding: 0.449 counts as 0.45.
        if (in.wb >= 0.45)
            messages.push_back(
                { MessageKind::Warn, "规程要求：水胶比宜小于0.45，建议调整水胶比。" });
    } else {
        in.wb = RoundTo((1 - in.beta1 - in.beta2 + 0.4 * in.beta1 + 0.9 * in.beta2) * in.fceG
                * 0.462 / (w.fcu0 + 1.2),
            2);
        if (!AllFinite({ in.wb }))
            return false;
    }

    // 9. 0.001 × Va turns litres into m3; 0.001 × W/B is W/B / ρw. A ρb that
    // rounded to 0 makes 1 / ρb infinite, which is no result either.
    const double inverseRhoB = 1 / w.rhoB;
    const double mb = (w.vp - 0.001 * in.va) / (inverseRhoB + 0.001 * in.wb);
    w.mb = RoundTo(mb, 1);
    if (!AllFinite({ inverseRhoB, mb, w.mb }))
        return false;
    if (w.mb < 400 || w.mb > 500)
        messages.push_back({ MessageKind::Warn,
            "规程要求：胶凝材料用量宜控制在400～500(kg/m3)之间。\n"
            "现在的计算用量超出规程规定，建议调整参数。" });

    // 10.
    w.mw = w.mb * in.wb;
    // 11. Cement takes what the rounded powders leave.
    w.mf = RoundTo(w.mb * in.beta1, 1);
    w.mk = RoundTo(w.mb * in.beta2, 1);
    w.mc = RoundTo(w.mb - w.mf - w.mk, 1);
    // 12. α is a percentage.
    w.mca = w.mb * in.alpha / 100;
    return AllFinite({ w.mw, w.mf, w.mk, w.mc, w.mca });
}

// The number the report prints, read back, so that a box shows 178.7
// where the report does rather than the unrounded 178.67.
double Printed(double value, int decimals)
{
    const std::string text = ReportNumber(value, decimals);
    double printed = value;
    std::from_chars(text.data(), text.data() + text.size(), printed);
    return printed;
}

} // namespace

void ApplyStrengthGrade(Mix1Inputs& in)
{
    if (const StrengthGrade* grade = StrengthGradeAt(in.strengthIndex)) {
        in.fcuK = grade->fcuK;
        in.strengthText = grade->gradeText;
    }
}

void ApplyCementGrade(Mix1Inputs& in)
{
    if (const CementGrade* grade = CementGradeAt(in.cementIndex))
        in.fceG = grade->fceG;
}

std::optional<Message> ApplyPerformanceGrade(Mix1Inputs& in)
{
    const PerformanceGrade* grade = PerformanceGradeAt(in.performanceIndex);
    if (!grade)
        return std::nullopt;
    in.performanceText = grade->item;
    in.slumpFlowText = grade->slumpFlowText;
    if (grade->Admits(in.vg))
        return std::nullopt;
    return Message { MessageKind::Warn, grade->vgMessage };
}

Mix1Outcome CalculateMix1(const Mix1Inputs& entered)
{
    Mix1Outcome out;
    out.inputs = entered;
    if (!PassesChecks(entered, out.messages)) {
        out.stopped = true;
        return out;
    }

    Mix1Inputs in = entered;
    ApplyStrengthGrade(in);
    ApplyCementGrade(in);

    const auto invalid = [&out] {
        // Nothing of a press without a valid result reaches the form or the view.
        out.messages.push_back({ MessageKind::Stop, "计算结果无效，请检查输入的数值。" });
        out.stopped = true;
        return out;
    };

    Mix1Working w;
    if (!Compute(in, w, out.messages))
        return invalid();
    // The report prints the inputs too; none may come out as "nan" or "inf".
    if (!AllFinite({ in.fcuK, in.fceG, in.sigma, in.rhoC, in.vg, in.phiS, in.beta1, in.beta2,
            in.va, in.rhoG, in.rhoS, in.rhoF, in.rhoK, in.alpha, in.wb }))
        return invalid();
    // Litres per cubic metre of concrete.
    const double cementVolume = 1000 * w.mc / in.rhoC;
    const double flyAshVolume = 1000 * w.mf / in.rhoF;
    const double slagVolume = 1000 * w.mk / in.rhoK;
    const double sandVolume = 1000 * w.vs;
    const double coarseVolume = 1000 * w.vg;
    const double waterVolume = 1000 * w.mw / kRhoW;
    if (!AllFinite(
            { cementVolume, flyAshVolume, slagVolume, sandVolume, coarseVolume, waterVolume }))
        return invalid();

    Mix1Results& r = out.results;
    r.cementVolume = Printed(cementVolume, 2);
    r.flyAshVolume = Printed(flyAshVolume, 2);
    r.slagVolume = Printed(slagVolume, 2);
    r.sandVolume = Printed(sandVolume, 2);
    r.coarseVolume = Printed(coarseVolume, 2);
    r.waterVolume = Printed(waterVolume, 2);
    r.cementMass = Printed(w.mc, 1);
    r.flyAshMass = Printed(w.mf, 1);
    r.slagMass = Printed(w.mk, 1);
    r.sandMass = Printed(w.ms, 1);
    r.coarseMass = Printed(w.mg, 1);
    r.waterMass = Printed(w.mw, 1);
    r.admixtureMass = Printed(w.mca, 1);

    out.inputs = in;
    out.working = w;
    out.report = BuildMix1Report(in, w, r);
    return out;
}
