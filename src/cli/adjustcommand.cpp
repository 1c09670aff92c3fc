#include "adjust/adjustcalc.h"
#include "cli/adjustjson.h"
#include "cli/clioptions.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "cli/inputfile.h"
#include "cli/resultsjson.h"

#include <memory>
#include <optional>

namespace {

const char kDescription[]
    = R"(Trial batch, density correction and site mix of a designed mix, as the
Calculate button of its form. The design per m3 comes from --design or from
the mass options; numbers are read by the rule of the form's boxes, then taken
half up to 0.1 kg (admixture 0.01 kg), 1 kg/m3, 0.1 % and 0.1 L.)";

const char kFooter[] = R"(--design reads the JSON that "qoru-calc mix1 --json", "mix2 --json" or
"ordinary --json" printed, so that "qoru-calc mix1 --json | qoru-calc adjust
--design -" adjusts that design; a mass option overrides the design's mass.
Without --design, --cement, --sand, --coarse and --water are needed and the
others are 0.
JSON "inputs": the inputs calculated, as the ledger records them.
JSON "results" (empty when stopped): computedDensity, measuredDensity,
  deviation (%), delta (null when not measured or not corrected), corrected;
  lab, site (kg/m3) and batch (kg), each with cement powder1 powder2 sand
  coarse water admixture; ratio with wb sand coarse water (per unit binder))";

// Design files are a few kilobytes; endless input ends with a message.
constexpr std::size_t kMaxDesignBytes = 1 << 20;

const char* const kMassOptions[kAdjustMaterials]
    = { "cement", "powder1", "powder2", "sand", "coarse", "water", "admixture" };

struct AdjustCommand
{
    std::optional<std::string> design; // a file, or "-" for standard input
    std::optional<std::string> masses[kAdjustMaterials];
    std::optional<std::string> powder1Name, powder2Name;
    AdjustInputs in; // the boxes other than the masses, as the form opens
};

std::optional<std::string> ReadDesign(const std::string& path, std::string& error)
{
    const CommandInput input(path, "--design");
    if (!input.stream()) {
        error = input.error();
        return std::nullopt;
    }
    std::string text;
    error = FeedStream(input.stream(), input.source(), [&](const char* bytes, std::size_t count) {
        text.append(bytes, count);
        return text.size() <= kMaxDesignBytes;
    });
    if (!error.empty())
        error = "--design: " + error;
    else if (text.size() > kMaxDesignBytes)
        error = "--design: " + input.source() + " holds more than a design";
    return error.empty() ? std::optional<std::string>(text) : std::nullopt;
}

int RunAdjust(AdjustCommand& command, const OutputStyle& style)
{
    AdjustInputs in = command.in;
    if (command.design) {
        std::string error;
        const std::optional<std::string> text = ReadDesign(*command.design, error);
        if (!text)
            return Refuse(error, style);
        const std::optional<AdjustInputs> design = AdjustDesignFromJson(*text, error);
        if (!design)
            return Refuse("--design: " + error, style);
        in.powder1Name = design->powder1Name;
        in.powder2Name = design->powder2Name;
        in.masses = design->masses;
    } else {
        for (int m : { kAdjustCement, kAdjustSand, kAdjustCoarse, kAdjustWater })
            if (!command.masses[m])
                return Refuse(
                    std::string("--") + kMassOptions[m] + ": needed without --design", style);
        for (int m : { kAdjustPowder1, kAdjustPowder2, kAdjustAdmixture })
            in.masses[static_cast<size_t>(m)] = "0";
    }
    for (int m = 0; m < kAdjustMaterials; ++m)
        if (command.masses[m])
            in.masses[static_cast<size_t>(m)] = *command.masses[m];
    if (command.powder1Name)
        in.powder1Name = *command.powder1Name;
    if (command.powder2Name)
        in.powder2Name = *command.powder2Name;

    const AdjustOutcome out = CalculateAdjust(in);
    if (out.notANumber) {
        // The options' own checks take every value as the calculation does,
        // so only a design's mass gets here: a number, yet too large to take.
        const auto box = static_cast<std::size_t>(*out.focus);
        return Refuse(std::string("--design: its ") + kMassOptions[box] + " "
                + Quoted(in.masses[box]) + " is too large",
            style);
    }
    return FinishCalculation(
        { out.stopped, out.messages, out.report,
            out.stopped ? nlohmann::json::object() : AdjustResultsJson(out.results),
            { { "inputs", InputsJson(in) } } },
        style);
}

} // namespace

CliCommand AddAdjustCommand(CLI::App& program)
{
    CLI::App* app = program.add_subcommand("adjust", kDescription);
    app->footer(kFooter);
    auto command = std::make_shared<AdjustCommand>();
    app->add_option_function<std::string>(
           "--design", [command](const std::string& path) { command->design = path; },
           "the design per m3 from a mix command's JSON")
        ->type_name("FILE|-");
    const char* const descriptions[kAdjustMaterials]
        = { "cement, kg/m3", "powder 1, kg/m3", "powder 2, kg/m3", "fine aggregate (sand), kg/m3",
              "coarse aggregate, kg/m3", "water, kg/m3", "admixture, kg/m3" };
    for (int m = 0; m < kAdjustMaterials; ++m) {
        app->add_option_function<std::string>(
               std::string("--") + kMassOptions[m],
               [command, m](const std::string& text) { command->masses[m] = text; },
               descriptions[m])
            ->type_name("KG")
            ->check(CLI::Validator(
                [m](std::string& value) { return NumberValueFault(value, AdjustMassDecimals(m)); },
                ""));
    }
    const CLI::Validator nameCheck([](std::string& name) { return PowderNameFault(name); }, "");
    app->add_option_function<std::string>(
           "--powder1-name", [command](const std::string& text) { command->powder1Name = text; },
           "powder 1's name in the report [the design's, or 粉体一]")
        ->type_name("NAME")
        ->check(nameCheck);
    app->add_option_function<std::string>(
           "--powder2-name", [command](const std::string& text) { command->powder2Name = text; },
           "powder 2's name in the report [the design's, or 粉体二]")
        ->type_name("NAME")
        ->check(nameCheck);
    // Decimals as the calculation takes each box.
    AdjustInputs& in = command->in;
    AddTextOption(*app, "measured-density", in.measuredDensity, 0, "D",
        "measured fresh density, kg/m3 [none: no correction; 0 is none too]", true);
    AddTextOption(*app, "sand-moisture", in.sandMoisture, 1, "W",
        "moisture of the sand, % [" + in.sandMoisture + "]");
    AddTextOption(*app, "coarse-moisture", in.coarseMoisture, 1, "W",
        "moisture of the coarse aggregate, % [" + in.coarseMoisture + "]");
    AddTextOption(*app, "volume", in.volume, 1, "V", "batch volume, L [" + in.volume + "]");
    return { app, [command](const OutputStyle& style) { return RunAdjust(*command, style); } };
}
