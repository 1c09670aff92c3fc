#include "cli/clioptions.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "cli/resultsjson.h"
#include "common/reportnum.h"
#include "ordinary/ordinarycalc.h"

#include <cctype>
#include <memory>

namespace {

const char kDescription[]
    = R"(Mix design of ordinary concrete by JGJ 55-2011, as the Calculate button of
its form. Number options are read by the rule of the form's boxes and taken
half up: σ, fce, fb to 0.1 MPa; γ and W/B to 0.01; dosages, β, βa and the
sand ratio to 0.1 %; densities to 0.01 g/cm3; air to 0.1 %; mcp and the water
correction to 1 kg; slump to 1 mm, Vebe to 1 s. --grade, --cement-grade,
--aggregate, --max-size and one of --slump and --vebe are needed.)";

const char kFooter[] = R"(JSON "inputs": the inputs calculated, as the ledger records them.
JSON "results" (empty when stopped), decimal strings as the report prints
them: fcu0, sigma (null from C60), fce, gammaF, gammaS (null with --fb), fb,
wbCalculated (null from C60), wb, mw0Prime, water, binder, binderMinimum
(null when none applies), cement, flyAsh, slag, admixture, sandRatio (%),
sand, stone, density, ratio (binder : sand : stone : water), trials (three
mixes in ascending W/B, each with wb water binder cement flyAsh slag
admixture sandRatio sand stone). "qoru-calc ordinary --json | qoru-calc
adjust --design -" takes the calculated mix to the trial batch.)";

using Json = nlohmann::json;

struct OrdinaryCommand
{
    OrdinaryInputs in;
    int grade = -1;
    int cementType = 1; // PO
    int cementGrade = -1;
    int aggregate = -1;
    int maxSize = -1;
    int structure = 1; // reinforced
    int exposure = 0;
    int method = 0;
    std::string impermeability, frost;
    CLI::Option* slump = nullptr;
    CLI::Option* vebe = nullptr;
    CLI::Option* airEntrained = nullptr;
    CLI::Option* pumped = nullptr;
    CLI::Option* massive = nullptr;
};

const int kCementGrades[] = { 325, 425, 525 };
const int kMaxSizes[] = { 100, 160, 200, 315, 400 };

// "P8" → 8, for a letter and up to four digits; 0 otherwise.
int GradeNumber(const std::string& text, char letter)
{
    if (text.size() < 2 || text.size() > 5 || text[0] != letter)
        return 0;
    int n = 0;
    for (std::size_t i = 1; i < text.size(); ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i])))
            return 0;
        n = n * 10 + (text[i] - '0');
    }
    return n;
}

CLI::Option* AddGradeOption(CLI::App& app, const std::string& name, std::string& text, char letter,
    const std::string& valueName, const std::string& description)
{
    return app.add_option("--" + name, text, description)
        ->type_name(valueName)
        ->check(CLI::Validator(
            [letter](std::string& value) {
                return GradeNumber(value, letter) ? std::string()
                                                  : Quoted(value) + " is not a grade such as "
                        + std::string(1, letter) + (letter == 'P' ? "8" : "100");
            },
            ""));
}

int RunOrdinary(OrdinaryCommand& command, const OutputStyle& style)
{
    OrdinaryInputs in = command.in;
    if (command.slump->count() == 0 && command.vebe->count() == 0)
        return Refuse("--slump or --vebe is needed", style);
    if (command.slump->count() > 0 && command.vebe->count() > 0)
        return Refuse("--slump and --vebe: give one of them", style);
    in.workability
        = command.vebe->count() > 0 ? OrdinaryWorkability::Vebe : OrdinaryWorkability::Slump;
    // The list validators have made sure each index is in its list.
    in.grade = 10 + 5 * command.grade;
    in.cementType = command.cementType == 0 ? OrdinaryCement::PI : OrdinaryCement::PO;
    in.cementGrade = kCementGrades[command.cementGrade];
    in.aggregate = command.aggregate == 0 ? OrdinaryAggregate::Crushed : OrdinaryAggregate::Gravel;
    in.maxSize = kMaxSizes[command.maxSize];
    in.structure = static_cast<OrdinaryStructure>(command.structure);
    in.exposure = static_cast<OrdinaryExposure>(command.exposure);
    in.method = command.method == 0 ? OrdinaryMethod::Mass : OrdinaryMethod::Volume;
    in.impermeability = GradeNumber(command.impermeability, 'P');
    in.frost = GradeNumber(command.frost, 'F');
    in.airEntrained = command.airEntrained->count() > 0;
    in.pumped = command.pumped->count() > 0;
    in.massive = command.massive->count() > 0;

    // The options' own checks take every value as the calculation does, so
    // no box of it holds anything but a number that fits.
    const OrdinaryOutcome out = CalculateOrdinary(in);
    return FinishCalculation({ out.stopped, out.messages, out.report,
                                 out.stopped ? Json::object() : OrdinaryResultsJson(out.results),
                                 { { "inputs", InputsJson(in) } } },
        style);
}

} // namespace

CliCommand AddOrdinaryCommand(CLI::App& program)
{
    CLI::App* app = program.add_subcommand("ordinary", kDescription);
    app->footer(kFooter);
    auto command = std::make_shared<OrdinaryCommand>();
    OrdinaryInputs& in = command->in;

    std::vector<std::string> grades;
    for (int grade = 10; grade <= 80; grade += 5)
        grades.push_back("C" + std::to_string(grade));
    AddListOption(*app, "grade", grades, command->grade, "C10|C15|...|C80", "")
        ->required()
        ->description("strength grade");
    AddTextOption(*app, "sigma", in.sigma, 1, "S",
        "σ of the plant's results, MPa, floored at 3.0 (to C30)\nor 4.0 (to C55) [table 4.0.2]; "
        "ignored from C60",
        true);
    AddListOption(*app, "cement-type", { "PI", "PO" }, command->cementType, "PI|PO",
        "cement: P·I/P·II or P·O");
    AddListOption(*app, "cement-grade", { "32.5", "42.5", "52.5" }, command->cementGrade,
        "32.5|42.5|52.5", "")
        ->required()
        ->description("cement strength grade, MPa");
    AddTextOption(*app, "fce", in.fce, 1, "F", "measured cement strength, MPa [γc × grade]", true);
    AddTextOption(*app, "fly-ash", in.flyAsh, 1, "P", "fly ash, % of the binder [0]");
    AddTextOption(*app, "gamma-f", in.gammaF, 2, "G", "γf [table 5.1.3's upper bound]", true);
    AddTextOption(*app, "slag", in.slag, 1, "P", "slag, % of the binder [0]");
    AddTextOption(*app, "gamma-s", in.gammaS, 2, "G", "γs [table 5.1.3's upper bound]", true);
    AddTextOption(*app, "fb", in.fb, 1, "F", "measured binder strength, MPa [γf × γs × fce]", true);
    AddListOption(
        *app, "aggregate", { "crushed", "gravel" }, command->aggregate, "crushed|gravel", "")
        ->required()
        ->description("coarse aggregate: 碎石 or 卵石");
    AddListOption(*app, "max-size", { "10", "16", "20", "31.5", "40" }, command->maxSize,
        "10|16|20|31.5|40", "")
        ->required()
        ->description("maximum size, mm: crushed 16, 20, 31.5, 40;\ngravel 10, 20, 31.5, 40");
    command->slump = AddTextOption(*app, "slump", in.slump, 0, "MM", "slump, mm, 10-250");
    command->vebe = AddTextOption(*app, "vebe", in.vebe, 0, "S", "Vebe time, s, 5-20: dry-hard");
    AddTextOption(*app, "water-adjust", in.waterAdjust, 0, "KG",
        "water for the sand, kg, -10..+10: fine +5..+10,\ncoarse -5..-10 [0]");
    AddTextOption(*app, "reducer", in.reducer, 1, "P", "water reduction β of the admixture, % [0]");
    AddTextOption(*app, "admixture", in.admixture, 1, "P", "admixture βa, % of the binder [0]");
    AddListOption(*app, "structure", { "plain", "reinforced", "prestressed" }, command->structure,
        "plain|reinforced|prestressed", "素混凝土, 钢筋混凝土, 预应力混凝土");
    AddListOption(*app, "exposure", { "1", "2a", "2b", "3a", "3b" }, command->exposure,
        "1|2a|2b|3a|3b", "exposure class (GB 50010-2010 table 3.5.3)");
    command->airEntrained = app->add_flag("--air-entrained", "air-entrained concrete");
    AddGradeOption(*app, "impermeability", command->impermeability, 'P', "P6|P8|P10|P12|P14",
        "impermeability grade; above P12 its own grade");
    AddGradeOption(*app, "frost", command->frost, 'F', "F50|F100|F150",
        "frost grade; from F150 its own grade");
    command->pumped = app->add_flag("--pumped", "pumped concrete");
    command->massive = app->add_flag("--mass", "mass concrete (大体积)");
    AddTextOption(*app, "wb", in.wb, 2, "R", "自定 W/B [computed; needed from C60]", true);
    AddTextOption(
        *app, "sand-ratio", in.sandRatio, 1, "P", "自定 sand ratio, % [from the tables]", true);
    AddListOption(
        *app, "method", { "mass", "volume" }, command->method, "mass|volume", "质量法 or 体积法");
    AddTextOption(*app, "density", in.mcp, 0, "D", "assumed density mcp, kg/m3 [" + in.mcp + "]");
    AddTextOption(*app, "cement-density", in.rhoC, 2, "D", "ρc, g/cm3 [" + in.rhoC + "]");
    AddTextOption(*app, "fly-ash-density", in.rhoF, 2, "D", "ρf, g/cm3 [" + in.rhoF + "]");
    AddTextOption(*app, "slag-density", in.rhoK, 2, "D", "ρk, g/cm3 [" + in.rhoK + "]");
    AddTextOption(*app, "sand-density", in.rhoS, 2, "D", "ρs, g/cm3 [" + in.rhoS + "]");
    AddTextOption(*app, "stone-density", in.rhoG, 2, "D", "ρg, g/cm3 [" + in.rhoG + "]");
    AddTextOption(*app, "air", in.air, 1, "P", "air α, % (volume method) [" + in.air + "]");

    return { app, [command](const OutputStyle& style) { return RunOrdinary(*command, style); } };
}
