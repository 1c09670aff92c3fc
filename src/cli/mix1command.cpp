#include "cli/clioptions.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "mix1/mix1calc.h"
#include "mix1/mix1lists.h"

#include <QJsonObject>

namespace {

const char kHelp[] = R"(qoru-calc mix1 [--OPTION VALUE ...] [--json] [--encoding utf-8|gbk]
  Method-1 mix design (JGJ/T 283-2012), as the Calculate button of its form.
  Every option starts at the form's opening value (shown in brackets).
  Lists, selected as in the form:
    --sf SF1|SF2|SF3          performance grade [SF2]; sets the grade and
                              slump-flow texts of the report
    --grade C7.5|C10|C15|...|C80
                              strength grade, in steps of 5 from C10 [C60]
    --cement-grade 22.5|27.5|32.5|42.5|52.5|62.5
                              cement strength grade, MPa [52.5]
  Number boxes, read by the rule of the form (surrounding blanks allowed;
  a zero must start with the digit 0):
    --sigma S                 standard deviation of strength, MPa [3]
    --rho-c D                 cement apparent density, kg/m3 [3100]
    --vg V                    coarse-aggregate volume, m3 [0.33]
    --phi-s F                 sand volume fraction of the mortar [0.45]
    --beta1 F                 fly-ash mass fraction of the binder [0.1]
    --beta2 F                 slag-powder mass fraction of the binder [0.1]
    --va L                    entrained air, L [10]
    --rho-g D                 coarse-aggregate apparent density, kg/m3 [2700]
    --rho-s D                 sand apparent density, kg/m3 [2670]
    --rho-f D                 fly-ash apparent density, kg/m3 [2300]
    --rho-k D                 slag-powder apparent density, kg/m3 [2300]
    --alpha P                 admixture, percent of the binder mass [1.5]
    --custom-wb R             ticks "custom" and enters the water-binder
                              ratio; without it the ratio is computed
  JSON "results" (empty when stopped):
    result boxes, as the report prints them:
      cementVolume flyAshVolume slagVolume sandVolume coarseVolume
      waterVolume (L); cementMass flyAshMass slagMass sandMass coarseMass
      waterMass admixtureMass (kg)
    working values: Vg (rounded, m3), Vm, Vs, Vp (m3), rhoB (kg/m3),
      fcu0 (MPa), WB (water-binder ratio as rounded or computed),
      Mb, Mg, Ms, Mw, Mf, Mk, Mc, Mca (kg; Mw and Mca unrounded)
    values the form writes back: fcuK, fceG (MPa), rhoF, rhoK (kg/m3; 2300
      for a powder whose fraction is 0)
)";

// Selects a list item by its text as the user would. False, after saying
// so, for a text the list does not hold.
template <typename Table, typename Key>
bool SelectItem(
    const QCommandLineParser& parser, const QString& name, const Table& table, Key key, int& index)
{
    if (!parser.isSet(name))
        return true;
    const QString text = parser.value(name);
    for (std::size_t i = 0; i < table.size(); ++i) {
        if (text == QString::fromUtf8(key(table[i]))) {
            index = static_cast<int>(i);
            return true;
        }
    }
    UsageError("--" + name.toStdString() + ": no item \"" + text.toStdString() + "\"");
    return false;
}

QJsonObject ResultsJson(const Mix1Outcome& out)
{
    const Mix1Results& r = out.results;
    const Mix1Working& w = out.working;
    return QJsonObject {
        { "cementVolume", r.cementVolume },
        { "flyAshVolume", r.flyAshVolume },
        { "slagVolume", r.slagVolume },
        { "sandVolume", r.sandVolume },
        { "coarseVolume", r.coarseVolume },
        { "waterVolume", r.waterVolume },
        { "cementMass", r.cementMass },
        { "flyAshMass", r.flyAshMass },
        { "slagMass", r.slagMass },
        { "sandMass", r.sandMass },
        { "coarseMass", r.coarseMass },
        { "waterMass", r.waterMass },
        { "admixtureMass", r.admixtureMass },
        { "Vg", w.vg },
        { "Vm", w.vm },
        { "Vs", w.vs },
        { "Vp", w.vp },
        { "rhoB", w.rhoB },
        { "fcu0", w.fcu0 },
        { "WB", out.inputs.wb },
        { "Mb", w.mb },
        { "Mg", w.mg },
        { "Ms", w.ms },
        { "Mw", w.mw },
        { "Mf", w.mf },
        { "Mk", w.mk },
        { "Mc", w.mc },
        { "Mca", w.mca },
        { "fcuK", out.inputs.fcuK },
        { "fceG", out.inputs.fceG },
        { "rhoF", out.inputs.rhoF },
        { "rhoK", out.inputs.rhoK },
    };
}

int RunMix1(const QStringList& arguments)
{
    QCommandLineParser parser;
    AddCommonOptions(parser);
    const struct
    {
        const char* name;
        double Mix1Inputs::*value;
    } numbers[] = {
        { "sigma", &Mix1Inputs::sigma },
        { "rho-c", &Mix1Inputs::rhoC },
        { "vg", &Mix1Inputs::vg },
        { "phi-s", &Mix1Inputs::phiS },
        { "beta1", &Mix1Inputs::beta1 },
        { "beta2", &Mix1Inputs::beta2 },
        { "va", &Mix1Inputs::va },
        { "rho-g", &Mix1Inputs::rhoG },
        { "rho-s", &Mix1Inputs::rhoS },
        { "rho-f", &Mix1Inputs::rhoF },
        { "rho-k", &Mix1Inputs::rhoK },
        { "alpha", &Mix1Inputs::alpha },
        { "custom-wb", &Mix1Inputs::wb },
    };
    for (const auto& n : numbers)
        parser.addOption(QCommandLineOption(n.name, QString(), "number"));
    for (const char* list : { "sf", "grade", "cement-grade" })
        parser.addOption(QCommandLineOption(list, QString(), "item"));

    const std::optional<CommonOptions> options = ParseCommandLine(parser, arguments);
    if (!options)
        return kExitUsage;
    if (options->help) {
        std::fputs(kHelp, stdout);
        return kExitReport;
    }

    Mix1Inputs in;
    for (const auto& n : numbers)
        if (!ReadNumberOption(parser, n.name, in.*n.value))
            return kExitUsage;
    in.customRatio = parser.isSet("custom-wb");

    if (!SelectItem(
            parser, "grade", kStrengthGrades, [](const StrengthGrade& g) { return g.gradeText; },
            in.strengthIndex)
        || !SelectItem(
            parser, "cement-grade", kCementGrades, [](const CementGrade& g) { return g.item; },
            in.cementIndex)
        || !SelectItem(
            parser, "sf", kPerformanceGrades, [](const PerformanceGrade& g) { return g.item; },
            in.performanceIndex))
        return kExitUsage;
    // Calculate runs the strength and cement handlers itself, not this one.
    // Its range notice is left out: when Vg lies outside the grade's range
    // the calculation stops with the same text.
    ApplyPerformanceGrade(in);

    const Mix1Outcome out = CalculateMix1(in);
    return FinishCalculation({ out.stopped, out.messages, out.report, ResultsJson(out) },
        options->json, options->encoding);
}

} // namespace

const CliCommand kMix1Command = {
    "mix1",
    "method-1 mix design of self-compacting concrete (JGJ/T 283-2012)",
    kHelp,
    RunMix1,
};
