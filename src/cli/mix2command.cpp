#include "cli/clioptions.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "common/reportnum.h"
#include "mix2/mix2calc.h"
#include "mix2/mix2lists.h"

#include <QJsonObject>

#include <cstdlib>
#include <string>
#include <vector>

namespace {

const char kHelp[] = R"(qoru-calc mix2 [--OPTION VALUE ...] [--json] [--encoding utf-8|gbk]
  Method-2 mix design: the strength grade first, then the self-compacting
  check, as the Calculate button of its form. Every option starts at the
  form's opening value (shown in brackets).
  Lists, selected as in the form:
    --sf 一级|二级|三级        performance grade [二级]
    --grade C7.5|C10|C15|...|C80
                              strength grade, in steps of 5 from C10 [C30]
    --cement-grade 22.5|27.5|32.5|42.5|52.5|62.5
                              cement strength grade, MPa [42.5]
    --aggregate 碎石|卵石      coarse aggregate kind [卵石]
    --powder1 KIND            powder 1 [粉煤灰]
    --powder2 KIND            powder 2 [矿渣粉]
        KIND: none|粉煤灰|矿渣粉|沸石粉|硅粉|复合料|惰性料; sets the powder's
        class and name as choosing the entry does: none is not used (named
        粉体一 or 粉体二), 惰性料 is an inert filler given by volume, the
        others replace cement
  Number boxes, read by the rule of the form (surrounding blanks allowed;
  a zero must start with the digit 0):
    --coarse-volume V         coarse aggregate absolute volume Vg,abs, m3 [0.32]
    --gamma-c G               cement strength surplus coefficient γc [1.28]
    --sigma S                 standard deviation of strength σ, MPa [3]
    --r1 P, --r2 P            cement replaced by powder 1 / 2, % [20, 30]
    --k1 K, --k2 K            excess coefficient of powder 1 / 2 [1.86, 1.93]
    --rho-s D                 fine aggregate apparent density, g/cm3 [2.67]
    --rho-g D                 coarse aggregate apparent density, g/cm3 [2.7]
    --air A                   air content, % [3]
    --rho-f1 D, --rho-f2 D    powder 1 / 2 apparent density, g/cm3 [2.23, 2.8]
    --water M                 water Mw, kg [180]
    --rho-c D                 cement apparent density, g/cm3 [3.1]
    --vf1-inert V, --vf2-inert V
                              volume of an inert powder 1 / 2, L [0, 0]
  A failed self-compacting check is no stop: its message is shown, the report
  ends after step 4 and the exit status is 0.
  JSON: "passed" (false when the self-compacting check failed or the
  press stopped) beside "stopped"; "results" (empty when stopped):
    numbers as the form shows them, to 15 significant digits
    result boxes (0 after a failed check):
      waterVolume cementVolume powder1Volume powder2Volume sandVolume
      coarseVolume (L); waterMass cementMass powder1Mass powder2Mass
      sandMass coarseMass (kg)
    working values: fcu0 fce (MPa, unrounded), wc, Mw (rounded water), Mco,
      Vco, Mf1 Vf1 Mc1 Mj1, Mf2 Vf2 Mc2 Mj2, Mc, Vc, Vf, WP, Vpaste, and after
      a passed check Vg, Mg, Vgas, Vs, Ms, Mj, WB (kg, L; 0 when not reached)
    selections: fcuK, fceG (MPa), alphaA, alphaB, powder1Class,
      powder2Class (0 none, 1 active, 2 inert)
    powder1Name, powder2Name: the powders' names, for "qoru-calc adjust"
)";

// Selects a list entry by its text as the user would. False, after saying
// so, for a text the list does not hold. `alias` names entry 0 too.
bool SelectEntry(const QCommandLineParser& parser, const QString& name, int listId, int& index,
    const char* alias = nullptr)
{
    if (!parser.isSet(name))
        return true;
    const QString text = parser.value(name);
    if (alias && text == QLatin1String(alias)) {
        index = 0;
        return true;
    }
    const std::vector<std::string> entries = Mix2ListEntries(listId);
    for (std::size_t i = 0; i < entries.size(); ++i) {
        if (text == QString::fromStdString(entries[i])) {
            index = static_cast<int>(i);
            return true;
        }
    }
    UsageError("--" + name.toStdString() + ": no entry \"" + text.toStdString() + "\"");
    return false;
}

// A number as the form shows it, with at most 15 significant digits, so that
// 1561 × 0.1 comes out as 156.1.
double Shown(double value)
{
    return std::strtod(FormatGeneral(value, 15).c_str(), nullptr);
}

QJsonObject ResultsJson(const Mix2Outcome& out)
{
    const Mix2Members& m = out.members;
    const Mix2Work& w = out.work;
    return QJsonObject {
        { "waterVolume", Shown(m.volWater) },
        { "cementVolume", Shown(m.volCement) },
        { "powder1Volume", Shown(m.volPowder1) },
        { "powder2Volume", Shown(m.volPowder2) },
        { "sandVolume", Shown(m.volSand) },
        { "coarseVolume", Shown(m.volCoarse) },
        { "waterMass", Shown(m.massWater) },
        { "cementMass", Shown(m.massCement) },
        { "powder1Mass", Shown(m.massPowder1) },
        { "powder2Mass", Shown(m.massPowder2) },
        { "sandMass", Shown(m.massSand) },
        { "coarseMass", Shown(m.massCoarse) },
        { "fcu0", Shown(w.fcuO) },
        { "fce", Shown(w.fce) },
        { "wc", Shown(w.wc) },
        { "Mw", Shown(w.water) },
        { "Mco", Shown(w.mco) },
        { "Vco", Shown(w.vco) },
        { "Mf1", Shown(w.mf1) },
        { "Vf1", Shown(w.vf1) },
        { "Mc1", Shown(w.mc1) },
        { "Mj1", Shown(w.mj1) },
        { "Mf2", Shown(w.mf2) },
        { "Vf2", Shown(w.vf2) },
        { "Mc2", Shown(w.mc2) },
        { "Mj2", Shown(w.mj2) },
        { "Mc", Shown(w.mc) },
        { "Vc", Shown(w.vc) },
        { "Vf", Shown(w.vf) },
        { "WP", Shown(w.wp) },
        { "Vpaste", Shown(w.vpaste) },
        { "Vg", Shown(w.vg) },
        { "Mg", Shown(w.mg) },
        { "Vgas", Shown(w.vgas) },
        { "Vs", Shown(w.vs) },
        { "Ms", Shown(w.ms) },
        { "Mj", Shown(w.mj) },
        { "WB", Shown(w.wb) },
        { "fcuK", Shown(m.strength) },
        { "fceG", Shown(m.cementGrade) },
        { "alphaA", Shown(m.alphaA) },
        { "alphaB", Shown(m.alphaB) },
        { "powder1Class", m.powder1Class },
        { "powder2Class", m.powder2Class },
        { "powder1Name", QString::fromStdString(m.powder1Name) },
        { "powder2Name", QString::fromStdString(m.powder2Name) },
    };
}

int RunMix2(const QStringList& arguments)
{
    QCommandLineParser parser;
    AddCommonOptions(parser);
    const struct
    {
        const char* name;
        double Mix2Members::*value;
    } numbers[] = {
        { "coarse-volume", &Mix2Members::coarseVolume },
        { "gamma-c", &Mix2Members::cementSurplus },
        { "sigma", &Mix2Members::stdDev },
        { "r1", &Mix2Members::powder1Replace },
        { "r2", &Mix2Members::powder2Replace },
        { "k1", &Mix2Members::powder1Excess },
        { "k2", &Mix2Members::powder2Excess },
        { "rho-s", &Mix2Members::sandDensity },
        { "rho-g", &Mix2Members::coarseDensity },
        { "air", &Mix2Members::airContent },
        { "rho-f1", &Mix2Members::powder1Density },
        { "rho-f2", &Mix2Members::powder2Density },
        { "water", &Mix2Members::water },
        { "rho-c", &Mix2Members::cementDensity },
        { "vf1-inert", &Mix2Members::powder1InertVol },
        { "vf2-inert", &Mix2Members::powder2InertVol },
    };
    for (const auto& n : numbers)
        parser.addOption(QCommandLineOption(n.name, QString(), "number"));
    for (const char* list : { "sf", "grade", "cement-grade", "aggregate", "powder1", "powder2" })
        parser.addOption(QCommandLineOption(list, QString(), "entry"));

    const std::optional<CommonOptions> options = ParseCommandLine(parser, arguments);
    if (!options)
        return kExitUsage;
    if (options->help) {
        std::fputs(kHelp, stdout);
        return kExitReport;
    }

    Mix2Inputs in; // the form as it opens
    for (const auto& n : numbers)
        if (!ReadNumberOption(parser, n.name, in.members.*n.value))
            return kExitUsage;
    Mix2Selections& s = in.lists;
    if (!SelectEntry(parser, "sf", kMix2SfGradeList, s.sfGrade)
        || !SelectEntry(parser, "grade", kMix2StrengthGradeList, s.strengthGrade)
        || !SelectEntry(parser, "cement-grade", kMix2CementGradeList, s.cementGrade)
        || !SelectEntry(parser, "aggregate", kMix2AggregateKindList, s.aggregateKind)
        || !SelectEntry(parser, "powder1", kMix2Powder1KindList, s.powder1Kind, "none")
        || !SelectEntry(parser, "powder2", kMix2Powder2KindList, s.powder2Kind, "none"))
        return kExitUsage;
    // Calculate reads the powder classes the last choice left, so choose the
    // entries here as the user would have.
    if (parser.isSet("powder1"))
        ApplyPowderKind(in.members, 1, s.powder1Kind);
    if (parser.isSet("powder2"))
        ApplyPowderKind(in.members, 2, s.powder2Kind);

    const Mix2Outcome out = CalculateMix2(in);
    return FinishCalculation(
        { out.stopped, out.messages, out.report, ResultsJson(out), { { "passed", out.passed } } },
        options->json, options->encoding);
}

} // namespace

const CliCommand kMix2Command = {
    "mix2",
    "method-2 mix design: strength grade first, then the self-compacting check",
    kHelp,
    RunMix2,
};
