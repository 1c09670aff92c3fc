#include "cli/clioptions.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "cli/inputfile.h"
#include "cli/resultsjson.h"
#include "common/exactdecimal.h"
#include "stats/evaluation.h"
#include "stats/groupinput.h"

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

namespace {

const char kDescription[]
    = R"(Strength acceptance evaluation (GB/T 50107-2010), as the 评定 button of its
form. Reads one group a line from FILE, or from standard input without FILE
or with "-": three specimen strengths or one group value (MPa), separated by
blanks, tabs or commas; blank lines are skipped. A line that is not one or
three numbers from 0 to 500 of at most 31 characters each, as the box holds,
is reported with its line number and qoru-calc exits with status 2, as it
does for more than 100000 groups or 1000000 lines (blank ones included).
Exit status 0 means a verdict was reached, the batch passed or failed.)";

const char kFooter[] = R"(With --json, instead of the report and results of the other commands:
  {"stopped", "messages", "report",
   "groups": [{"strengths": [...], "value": x|null,
               "taken": "mean"|"middle"|"invalid"|"given"}],
   "method": "known"|"unknown"|"nonstat"|null, "n", "mean", "min",
   "sd", "sigma0", "lambda": {...},
   "conditions": [{"left": x, "right": y, "met": bool}], "passed",
   "inputs": {...}}  (the inputs calculated, as the ledger records them)
  sd is Sfcu as computed (null below 2 groups), sigma0 the σ0 used.)";

constexpr std::size_t kMaxGroups = 100'000;
// Blank lines count too, or endless blank input would never end; ten for
// every group leaves room for any layout.
constexpr long long kMaxLines = 1'000'000;
constexpr std::size_t kMaxLineBytes = 1000; // far more than three values need

struct EvaluateCommand
{
    std::string file = "-"; // "-": standard input
    int grade = -1;
    int method = 0;
    int size = 0;
    std::string sigma0; // as given; read exactly when the command runs
    std::string factor;
    CLI::Option* sigma0Option = nullptr;
    CLI::Option* factorOption = nullptr;
};

struct GroupReading
{
    std::vector<EvalGroup> groups;
    std::string error; // why reading stopped early, as a message
};

// Reads groups from `in` as they come, a line at a time (LF, CR LF or a lone
// CR), so that endless or binary input ends with a message.
class GroupReader
{
public:
    explicit GroupReader(GroupReading& reading)
        : m_reading(reading)
    { }

    bool Feed(const char* bytes, std::size_t size)
    {
        for (std::size_t i = 0; i < size; ++i) {
            const char c = bytes[i];
            const bool afterCr = m_afterCr;
            m_afterCr = c == '\r';
            if (c == '\n' && afterCr)
                continue; // the LF of a CR LF
            if (m_number > kMaxLines) {
                m_reading.error = "line " + std::to_string(m_number) + ": more than "
                    + std::to_string(kMaxLines) + " lines";
                return false;
            }
            if (c == '\n' || c == '\r') {
                if (!EndLine())
                    return false;
                continue;
            }
            if (m_line.size() == kMaxLineBytes) {
                m_reading.error = "line " + std::to_string(m_number) + ": " + Quoted(m_line)
                    + ": longer than " + std::to_string(kMaxLineBytes) + " bytes";
                return false;
            }
            m_line += c;
        }
        return true;
    }

    bool Finish() { return EndLine(); }

private:
    bool EndLine()
    {
        const std::string line = std::move(m_line);
        m_line.clear();
        const long long number = m_number++;
        if (line.find_first_not_of(" \t,") == std::string::npos)
            return true;
        const GroupLineEntry entry = ReadGroupLine(line);
        if (entry.check != GroupLineCheck::Accepted) {
            // The value refused, or the line when its count is wrong.
            m_reading.error = "line " + std::to_string(number) + ": "
                + Quoted(entry.value.empty() ? line : entry.value) + ": " + entry.message;
            return false;
        }
        if (m_reading.groups.size() == kMaxGroups) {
            m_reading.error = "line " + std::to_string(number) + ": more than "
                + std::to_string(kMaxGroups) + " groups";
            return false;
        }
        m_reading.groups.push_back(entry.group);
        return true;
    }

    GroupReading& m_reading;
    std::string m_line;
    long long m_number = 1;
    bool m_afterCr = false;
};

GroupReading ReadGroups(std::FILE* in, const std::string& source)
{
    GroupReading reading;
    GroupReader reader(reading);
    bool stopped = false;
    const std::string error = FeedStream(in, source, [&](const char* bytes, std::size_t count) {
        stopped = !reader.Feed(bytes, count);
        return !stopped;
    });
    if (!error.empty())
        reading.error = error;
    else if (!stopped)
        reader.Finish();
    return reading;
}

GroupReading ReadInput(const std::string& file)
{
    const CommandInput input(file);
    if (!input.stream())
        return { {}, input.error() };
    return ReadGroups(input.stream(), input.source());
}

nlohmann::json OutcomeJson(const EvaluationInputs& in, const EvaluationOutcome& out)
{
    nlohmann::json object = EvaluationResultsJson(in, out);
    object.update({
        { "stopped", out.stopped },
        { "messages", MessagesJson(out.messages) },
        { "report", out.report },
        { "inputs", InputsJson(in) },
    });
    return object;
}

int RunEvaluate(const EvaluateCommand& command, const OutputStyle& style)
{
    EvaluationInputs in;
    const EvalGradeItem& grade = kEvalGrades[static_cast<std::size_t>(command.grade)];
    in.gradeText = grade.text;
    in.fcuK = grade.fcuK;
    in.method = static_cast<EvalMethod>(command.method);
    in.size = static_cast<SpecimenSize>(command.size);
    in.factor = SizeFactorUnits(in.size);
    // The validators have made sure both are numbers that fit.
    if (command.factorOption->count() > 0)
        in.factor = *ParseUnits(command.factor, 2);
    if (command.sigma0Option->count() > 0)
        in.sigma0 = *ParseUnits(command.sigma0, 2);
    else if (in.method == EvalMethod::Known)
        return Refuse("--sigma0: needed with --method known", style);

    const GroupReading reading = ReadInput(command.file);
    if (!reading.error.empty())
        return Refuse(reading.error, style);
    in.groups = reading.groups;

    const EvaluationOutcome out = Evaluate(in);
    const int status = out.stopped ? kExitStopped : kExitReport;
    if (style.json)
        return WriteOutput(stdout, JsonText(OutcomeJson(in, out)), style.encoding) ? status
                                                                                   : kExitUsage;
    for (const Message& m : out.messages)
        if (!WriteOutput(stderr, m.text + "\n", style.encoding))
            return kExitUsage;
    if (!out.stopped && !WriteOutput(stdout, out.report, style.encoding))
        return kExitUsage;
    return status;
}

// A number option held as its text and read exactly to 0.01 when the
// command runs, never through a double.
CLI::Option* AddExactOption(CLI::App& app, const std::string& name, std::string& text,
    const std::string& valueName, const std::string& description)
{
    return app.add_option("--" + name, text, description)
        ->type_name(valueName)
        ->check(CLI::Validator([](std::string& value) { return NumberValueFault(value, 2); }, ""));
}

} // namespace

CliCommand AddEvaluateCommand(CLI::App& program)
{
    CLI::App* app = program.add_subcommand("evaluate", kDescription);
    app->footer(kFooter);
    auto command = std::make_shared<EvaluateCommand>();
    app->add_option(
           "FILE", command->file, "groups to read; standard input without it or with \"-\"")
        ->type_name("");

    std::vector<std::string> grades;
    for (const EvalGradeItem& g : kEvalGrades)
        grades.push_back(g.text);
    AddListOption(*app, "grade", grades, command->grade,
        grades.front() + "|" + grades[1] + "|...|" + grades.back(), "strength grade")
        ->required()
        ->description("strength grade; no opening value: it must be given");
    const std::vector<std::string> methods = { "auto", "known", "unknown", "nonstat" };
    AddListOption(*app, "method", methods, command->method, Choices(methods),
        "自动, 统计方法（标准差已知）, 统计方法（标准差未知）,\n非统计方法");
    AddListOption(*app, "size", { "150", "100", "200" }, command->size, "150|100|200",
        "specimen size, mm; sets the size factor and, from C60,\nwarns that it must be found by "
        "test");
    command->sigma0Option = AddExactOption(
        *app, "sigma0", command->sigma0, "S", "σ0 of the previous period, MPa (with known)");
    command->factorOption = AddExactOption(
        *app, "factor", command->factor, "F", "size factor, in place of the size's own");

    return { app, [command](const OutputStyle& style) { return RunEvaluate(*command, style); } };
}
