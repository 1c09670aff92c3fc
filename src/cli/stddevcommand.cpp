#include "cli/clioptions.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "cli/inputfile.h"
#include "cli/resultsjson.h"
#include "cli/strengthinput.h"
#include "common/numberrule.h"
#include "stats/stddev.h"

#include <cstdio>
#include <memory>
#include <string>

namespace {

const char kDescription[] = R"(Standard deviation of concrete strength, as the strength calculator's
Compute button gives it. Reads specimen strengths (MPa) from FILE, or from
standard input without FILE or with "-": one or more a line, separated by
blanks or tabs. Each goes through the checks of the Add button: a number by
the rule of the number boxes (at most 31 characters, as the box holds), from
0 to 500, greater than zero. The first value that fails them is reported
with its line number, and qoru-calc exits with status 2, as it does for
more than 10000000 values or lines (blank ones included) or input that
cannot be read.
Prints "sigma S" (MPa, rounded half up to 0.01, as its box shows it) and
"count N" on stdout, one a line. Fewer than 25 strengths stop the
calculation (status 1) with the message of the Compute button on stderr.)";

const char kFooter[] = R"(With --json, instead of the report and results of the other commands:
  {"stopped": bool, "messages": [{"kind": "stop", "text": "..."}],
   "count": N, "sigma": S,          (sigma is null when stopped)
   "inputs": {"strengths": [...]}}  (as the ledger records them))";

struct StdDevCommand
{
    std::string file = "-"; // "-": standard input
};

StrengthReading ReadInput(const std::string& file)
{
    const CommandInput input(file);
    if (!input.stream())
        return { {}, input.error() };
    return ReadStrengths(input.stream(), input.source());
}

int RunStdDev(const StdDevCommand& command, const OutputStyle& style)
{
    const StrengthReading reading = ReadInput(command.file);
    if (!reading.error.empty())
        return Refuse(reading.error, style);

    const StdDevOutcome out = ComputeStdDev(reading.strengths, 0.0);
    const int status = out.stopped ? kExitStopped : kExitReport;
    // σ as its box shows it, so 3.45 is not printed as 3.4500000000000002.
    const std::string sigma = SigmaBoxText(out.sigma);

    if (style.json) {
        nlohmann::json object = StdDevResultsJson(out);
        object.update({ { "stopped", out.stopped }, { "messages", MessagesJson(out.messages) },
            { "inputs", InputsJson(StdDevInputs { reading.strengths }) } });
        return WriteOutput(stdout, JsonText(object), style.encoding) ? status : kExitUsage;
    }

    for (const Message& m : out.messages)
        if (!WriteOutput(stderr, m.text + "\n", style.encoding))
            return kExitUsage;
    if (!out.stopped
        && !WriteOutput(
            stdout, "sigma " + sigma + "\ncount " + CountBoxText(out.count) + "\n", style.encoding))
        return kExitUsage;
    return status;
}

} // namespace

CliCommand AddStdDevCommand(CLI::App& program)
{
    CLI::App* app = program.add_subcommand("stddev", kDescription);
    app->footer(kFooter);
    auto command = std::make_shared<StdDevCommand>();
    app->add_option(
           "FILE", command->file, "strengths to read; standard input without it or with \"-\"")
        ->type_name("");
    return { app, [command](const OutputStyle& style) { return RunStdDev(*command, style); } };
}
