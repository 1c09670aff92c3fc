#include "cli/clioptions.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "cli/resultsjson.h"
#include "common/reportnum.h"
#include "mix2/mix2calc.h"
#include "mix2/mix2lists.h"

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

namespace {

const char kDescription[]
    = R"(Method-2 mix design: the strength grade first, then the self-compacting
check, as the Calculate button of its form. Every option starts at the form's
opening value, shown in brackets. Lists are selected by an entry's text as in
the form; number boxes are read by the rule of the form (blanks around the
number allowed, a zero must start with the digit 0).
A failed self-compacting check is no stop: its message is shown, the report
ends after step 4 and the exit status is 0.)";

const char kFooter[]
    = R"(KIND: none|粉煤灰|矿渣粉|沸石粉|硅粉|复合料|惰性料 sets the powder's class and
  name as choosing the entry does: none is not used (named 粉体一 or 粉体二),
  惰性料 is an inert filler given by volume, the others replace cement.
JSON: "passed" (false when the self-compacting check failed or the press
stopped) beside "stopped", and "powder1Name", "powder2Name" (the names the
report gives the powders); "inputs" (the inputs calculated, as the ledger
records them); "results" (empty when stopped):
  numbers as the form shows them, to 15 significant digits
  result boxes (0 after a failed check):
    waterVolume cementVolume powder1Volume powder2Volume sandVolume
    coarseVolume (L); waterMass cementMass powder1Mass powder2Mass
    sandMass coarseMass (kg)
  working values: fcu0 fce (MPa, unrounded), wc, Mw (rounded water), Mco,
    Vco, Mf1 Vf1 Mc1 Mj1, Mf2 Vf2 Mc2 Mj2, Mc, Vc, Vf, WP, Vpaste, and after
    a passed check Vg, Mg, Vgas, Vs, Ms, Mj, WB (kg, L; 0 when not reached)
  selections: fcuK, fceG (MPa), alphaA, alphaB, powder1Class,
    powder2Class (0 none, 1 active, 2 inert))";

struct Mix2Command
{
    Mix2Inputs in; // the form as it opens, then as the options set it
    CLI::Option* powder1 = nullptr;
    CLI::Option* powder2 = nullptr;
};

int RunMix2(Mix2Command& command, const OutputStyle& style)
{
    Mix2Inputs& in = command.in;
    // Calculate reads the powder classes the last choice left, so choose the
    // entries here as the user would have.
    if (command.powder1->count() > 0)
        ApplyPowderKind(in.members, 1, in.lists.powder1Kind);
    if (command.powder2->count() > 0)
        ApplyPowderKind(in.members, 2, in.lists.powder2Kind);
    // The lists fill their boxes as choosing an entry does, so the inputs
    // read as recorded; the calculation applies them again.
    ApplySfGrade(in.members, in.lists.sfGrade);
    ApplyStrengthGrade(in.members, in.lists.strengthGrade);
    ApplyCementGrade(in.members, in.lists.cementGrade);
    ApplyAggregateKind(in.members, in.lists.aggregateKind);

    const Mix2Outcome out = CalculateMix2(in);
    const nlohmann::json extra = {
        { "passed", out.passed },
        { "powder1Name", out.members.powder1Name },
        { "powder2Name", out.members.powder2Name },
        { "inputs", InputsJson(in) },
    };
    return FinishCalculation(
        { out.stopped, out.messages, out.report, Mix2ResultsJson(out), extra }, style);
}

} // namespace

CliCommand AddMix2Command(CLI::App& program)
{
    CLI::App* app = program.add_subcommand("mix2", kDescription);
    app->footer(kFooter);
    auto command = std::make_shared<Mix2Command>();
    Mix2Selections& s = command->in.lists;

    const std::vector<std::string> sf = Mix2ListEntries(Mix2List::SfGrade);
    AddListOption(*app, "sf", sf, s.sfGrade, Choices(sf), "performance grade");
    const std::vector<std::string> grades = Mix2ListEntries(Mix2List::StrengthGrade);
    AddListOption(*app, "grade", grades, s.strengthGrade,
        grades.front() + "|" + grades[1] + "|...|" + grades.back(),
        "strength grade, in steps of 5 from C10");
    const std::vector<std::string> cements = Mix2ListEntries(Mix2List::CementGrade);
    AddListOption(*app, "cement-grade", cements, s.cementGrade, Choices(cements),
        "cement strength grade, MPa");
    const std::vector<std::string> aggregates = Mix2ListEntries(Mix2List::AggregateKind);
    AddListOption(*app, "aggregate", aggregates, s.aggregateKind, Choices(aggregates),
        "coarse aggregate kind");
    command->powder1 = AddListOption(*app, "powder1", Mix2ListEntries(Mix2List::PowderKind),
        s.powder1Kind, "KIND", "powder 1", "none");
    command->powder2 = AddListOption(*app, "powder2", Mix2ListEntries(Mix2List::PowderKind),
        s.powder2Kind, "KIND", "powder 2", "none");

    const struct
    {
        const char* name;
        double Mix2Members::*value;
        const char* valueName;
        const char* description;
    } numbers[] = {
        { "coarse-volume", &Mix2Members::coarseVolume, "V",
            "coarse aggregate absolute volume Vg,abs, m3" },
        { "gamma-c", &Mix2Members::cementSurplus, "G", "cement strength surplus coefficient γc" },
        { "sigma", &Mix2Members::stdDev, "S", "standard deviation of strength σ, MPa" },
        { "r1", &Mix2Members::powder1Replace, "P", "cement replaced by powder 1, %" },
        { "r2", &Mix2Members::powder2Replace, "P", "cement replaced by powder 2, %" },
        { "k1", &Mix2Members::powder1Excess, "K", "excess coefficient of powder 1" },
        { "k2", &Mix2Members::powder2Excess, "K", "excess coefficient of powder 2" },
        { "rho-s", &Mix2Members::sandDensity, "D", "fine aggregate apparent density, g/cm3" },
        { "rho-g", &Mix2Members::coarseDensity, "D", "coarse aggregate apparent density, g/cm3" },
        { "air", &Mix2Members::airContent, "A", "air content, %" },
        { "rho-f1", &Mix2Members::powder1Density, "D", "powder 1 apparent density, g/cm3" },
        { "rho-f2", &Mix2Members::powder2Density, "D", "powder 2 apparent density, g/cm3" },
        { "water", &Mix2Members::water, "M", "water Mw, kg" },
        { "rho-c", &Mix2Members::cementDensity, "D", "cement apparent density, g/cm3" },
        { "vf1-inert", &Mix2Members::powder1InertVol, "V", "volume of an inert powder 1, L" },
        { "vf2-inert", &Mix2Members::powder2InertVol, "V", "volume of an inert powder 2, L" },
    };
    for (const auto& n : numbers)
        AddNumberOption(*app, n.name, command->in.members.*n.value, n.valueName, n.description);

    return { app, [command](const OutputStyle& style) { return RunMix2(*command, style); } };
}
