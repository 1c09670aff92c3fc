#include "app/entryfigures.h"

#include "cli/resultsjson.h"
#include "common/reportnum.h"
#include "records/inputsjson.h"

namespace {

EntryFigures Mix1Figures(const Mix1Inputs& in)
{
    const Mix1Outcome out = CalculateMix1(in);
    EntryFigures f;
    f.grade = in.strengthText;
    if (!out.stopped)
        f.waterBinder = ReportNumber(out.inputs.wb, 2);
    f.figuresJson = Mix1ResultsJson(out).dump();
    return f;
}

EntryFigures Mix2Figures(const Mix2Inputs& in)
{
    const Mix2Outcome out = CalculateMix2(in);
    EntryFigures f;
    f.grade = in.members.strengthGrade;
    // The design's summary, printed only after a passed check, takes the
    // ratio afresh from the unrounded masses.
    if (out.passed && out.work.mj != 0)
        f.waterBinder = ReportNumber(out.work.water / out.work.mj, 2);
    f.figuresJson = Mix2ResultsJson(out).dump();
    return f;
}

EntryFigures OrdinaryFigures(const OrdinaryInputs& in)
{
    const OrdinaryOutcome out = CalculateOrdinary(in);
    EntryFigures f;
    f.grade = "C" + std::to_string(in.grade);
    if (!out.stopped) {
        f.waterBinder = ReportUnits(out.results.mix.wb, 2);
        f.figuresJson = OrdinaryResultsJson(out.results).dump();
    }
    return f;
}

EntryFigures AdjustFigures(const AdjustInputs& in)
{
    const AdjustOutcome out = CalculateAdjust(in);
    EntryFigures f;
    if (out.stopped)
        return f;
    const AdjustResults& r = out.results;
    f.waterBinder = ReportUnits(r.wb, 2);
    // The density correction's outcome, when a density was measured.
    if (r.measuredDensity)
        f.verdict = r.corrected ? "已校正" : "不校正";
    f.figuresJson = AdjustResultsJson(r).dump();
    return f;
}

EntryFigures EvaluationFigures(const EvaluationInputs& in)
{
    const EvaluationOutcome out = Evaluate(in);
    EntryFigures f;
    f.grade = in.gradeText;
    if (!out.stopped) {
        f.verdict = out.passed ? "合格" : "不合格";
        f.figuresJson = EvaluationResultsJson(in, out).dump();
    }
    return f;
}

EntryFigures StdDevFigures(const StdDevInputs& in)
{
    const StdDevOutcome out = ComputeStdDev(in.strengths, 0.0);
    EntryFigures f;
    if (!out.stopped)
        f.figuresJson = StdDevResultsJson(out).dump();
    return f;
}

template <typename Inputs>
EntryFigures From(const std::string& json, EntryFigures (*figures)(const Inputs&))
{
    const std::optional<Inputs> in = fromJson<Inputs>(json);
    return in ? figures(*in) : EntryFigures {};
}

} // namespace

EntryFigures FiguresOf(CalcKind kind, const std::string& inputsJson)
{
    switch (kind) {
    case CalcKind::Mix1:
        return From(inputsJson, Mix1Figures);
    case CalcKind::Mix2:
        return From(inputsJson, Mix2Figures);
    case CalcKind::Ordinary:
        return From(inputsJson, OrdinaryFigures);
    case CalcKind::Adjust:
        return From(inputsJson, AdjustFigures);
    case CalcKind::Evaluate:
        return From(inputsJson, EvaluationFigures);
    case CalcKind::StdDev:
        return From(inputsJson, StdDevFigures);
    }
    return {};
}
