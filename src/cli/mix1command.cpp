#include "cli/clioptions.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "cli/resultsjson.h"
#include "mix1/mix1calc.h"
#include "mix1/mix1lists.h"

#include <memory>

namespace {

const char kDescription[]
    = R"(Method-1 mix design of self-compacting concrete (JGJ/T 283-2012), as the
Calculate button of its form. Every option starts at the form's opening value,
shown in brackets. Lists are selected by an item's text as in the form; number
boxes are read by the rule of the form (blanks around the number allowed, a
zero must start with the digit 0).)";

const char kFooter[] = R"(JSON "inputs": the inputs calculated, as the ledger records them.
JSON "results" (empty when stopped):
  result boxes, as the report prints them:
    cementVolume flyAshVolume slagVolume sandVolume coarseVolume
    waterVolume (L); cementMass flyAshMass slagMass sandMass coarseMass
    waterMass admixtureMass (kg)
  working values: Vg (rounded, m3), Vm, Vs, Vp (m3), rhoB (kg/m3),
    fcu0 (MPa), WB (water-binder ratio as rounded or computed),
    Mb, Mg, Ms, Mw, Mf, Mk, Mc, Mca (kg; Mw and Mca unrounded)
  values the form writes back: fcuK, fceG (MPa), rhoF, rhoK (kg/m3; 2300
    for a powder whose fraction is 0))";

template <typename Table, typename Text>
std::vector<std::string> Items(const Table& table, Text text)
{
    std::vector<std::string> items;
    for (const auto& row : table)
        items.push_back(text(row));
    return items;
}

struct Mix1Command
{
    Mix1Inputs in; // the form as it opens, then as the options set it
    CLI::Option* customRatio = nullptr;
};

int RunMix1(Mix1Command& command, const OutputStyle& style)
{
    Mix1Inputs& in = command.in;
    in.customRatio = command.customRatio->count() > 0;
    // Calculate runs the strength and cement handlers itself, not this one.
    // Its range notice is left out: when Vg lies outside the grade's range
    // the calculation stops with the same text.
    ApplyPerformanceGrade(in);
    // As the lists' handlers leave the form, so the inputs read as recorded.
    ApplyStrengthGrade(in);
    ApplyCementGrade(in);

    const Mix1Outcome out = CalculateMix1(in);
    return FinishCalculation({ out.stopped, out.messages, out.report, Mix1ResultsJson(out),
                                 { { "inputs", InputsJson(in) } } },
        style);
}

} // namespace

CliCommand AddMix1Command(CLI::App& program)
{
    CLI::App* app = program.add_subcommand("mix1", kDescription);
    app->footer(kFooter);
    auto command = std::make_shared<Mix1Command>();
    Mix1Inputs& in = command->in;

    const std::vector<std::string> grades
        = Items(kStrengthGrades, [](const StrengthGrade& g) { return g.gradeText; });
    AddListOption(*app, "sf",
        Items(kPerformanceGrades, [](const PerformanceGrade& g) { return g.item; }),
        in.performanceIndex, "SF1|SF2|SF3",
        "performance grade; sets the grade and\nslump-flow texts of the report");
    AddListOption(*app, "grade", grades, in.strengthIndex,
        grades.front() + "|" + grades[1] + "|...|" + grades.back(),
        "strength grade, in steps of 5 from C10");
    const std::vector<std::string> cements
        = Items(kCementGrades, [](const CementGrade& g) { return g.item; });
    AddListOption(*app, "cement-grade", cements, in.cementIndex, Choices(cements),
        "cement strength grade, MPa");

    const struct
    {
        const char* name;
        double Mix1Inputs::*value;
        const char* valueName;
        const char* description;
    } numbers[] = {
        { "sigma", &Mix1Inputs::sigma, "S", "standard deviation of strength, MPa" },
        { "rho-c", &Mix1Inputs::rhoC, "D", "cement apparent density, kg/m3" },
        { "vg", &Mix1Inputs::vg, "V", "coarse-aggregate volume, m3" },
        { "phi-s", &Mix1Inputs::phiS, "F", "sand volume fraction of the mortar" },
        { "beta1", &Mix1Inputs::beta1, "F", "fly-ash mass fraction of the binder" },
        { "beta2", &Mix1Inputs::beta2, "F", "slag-powder mass fraction of the binder" },
        { "va", &Mix1Inputs::va, "L", "entrained air, L" },
        { "rho-g", &Mix1Inputs::rhoG, "D", "coarse-aggregate apparent density, kg/m3" },
        { "rho-s", &Mix1Inputs::rhoS, "D", "sand apparent density, kg/m3" },
        { "rho-f", &Mix1Inputs::rhoF, "D", "fly-ash apparent density, kg/m3" },
        { "rho-k", &Mix1Inputs::rhoK, "D", "slag-powder apparent density, kg/m3" },
        { "alpha", &Mix1Inputs::alpha, "P", "admixture, percent of the binder mass" },
    };
    for (const auto& n : numbers)
        AddNumberOption(*app, n.name, in.*n.value, n.valueName, n.description);
    command->customRatio = AddNumberOption(*app, "custom-wb", in.wb, "R",
        "ticks \"custom\" and enters the water-binder ratio;\nwithout it the ratio is computed",
        false);

    return { app, [command](const OutputStyle& style) { return RunMix1(*command, style); } };
}
