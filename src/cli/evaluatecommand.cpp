#include "cli/clioptions.h"
#include "cli/clioutput.h"
#include "cli/commands.h"
#include "common/exactdecimal.h"
#include "stats/evaluation.h"
#include "stats/groupinput.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cstdio>
#include <optional>

namespace {

const char kHelp[]
    = R"(qoru-calc evaluate [FILE|-] --grade C30 [--method auto|known|unknown|nonstat]
                   [--sigma0 S] [--size 150|100|200] [--factor F]
                   [--json] [--encoding utf-8|gbk]
  Strength acceptance evaluation (GB/T 50107-2010), as the 评定 button of
  its form. Reads one group a line from FILE, or from standard input without
  FILE or with "-": three specimen strengths or one group value (MPa),
  separated by blanks, tabs or commas; blank lines are skipped. A line that
  is not one or three numbers from 0 to 500 is reported on stderr with its
  line number, and qoru-calc exits with status 2.
    --grade C7.5|C10|C15|...|C80   strength grade (required)
    --method auto|known|unknown|nonstat
                              自动, 统计方法（标准差已知）, 统计方法（标准差
                              未知）, 非统计方法 [auto]
    --sigma0 S                σ0 of the previous period, MPa (with known)
    --size 150|100|200        specimen size, mm; sets the factor [150]
    --factor F                size factor, in place of the size's own
  Exit status 0 when a verdict was reached, passed or failed.
  With --json, one object:
    {"stopped", "messages", "report",
     "groups": [{"strengths": [...], "value": x|null,
                 "taken": "mean"|"middle"|"invalid"|"given"}],
     "method": "known"|"unknown"|"nonstat", "n", "mean", "min", "sd",
     "sigma0", "lambda": {...}, "conditions": [{"left", "right", "met"}],
     "passed"}
)";

QJsonValue Units(std::optional<std::int64_t> units, int decimals)
{
    if (!units)
        return QJsonValue(QJsonValue::Null);
    return static_cast<double>(*units) / static_cast<double>(Pow10(decimals));
}

const char* TakenKey(GroupTaken taken)
{
    switch (taken) {
    case GroupTaken::Mean:
        return "mean";
    case GroupTaken::Middle:
        return "middle";
    case GroupTaken::Invalid:
        return "invalid";
    case GroupTaken::Given:
        break;
    }
    return "given";
}

QJsonObject OutcomeJson(const EvaluationInputs& in, const EvaluationOutcome& out)
{
    QJsonArray messages;
    for (const Message& m : out.messages)
        messages.append(QJsonObject {
            { "kind", m.kind == MessageKind::Stop ? "stop" : "warn" },
            { "text", QString::fromStdString(m.text) },
        });
    QJsonArray groups;
    for (size_t i = 0; i < in.groups.size(); ++i) {
        QJsonArray strengths;
        for (std::int64_t s : in.groups[i].strengths)
            strengths.append(Units(s, 1));
        const GroupResult r
            = i < out.groups.size() ? out.groups[i] : EvaluateGroup(in.groups[i], in.factor);
        groups.append(QJsonObject {
            { "strengths", strengths },
            { "value", Units(r.value, 1) },
            { "taken", TakenKey(r.taken) },
        });
    }
    QJsonObject lambda;
    for (const EvalCoefficient& c : out.coefficients)
        lambda.insert(QString::fromStdString(c.key), Units(c.value, 2));
    QJsonArray conditions;
    for (const EvalCondition& c : out.conditions)
        conditions.append(QJsonObject {
            { "left", Units(c.left, 1) },
            { "right", Units(c.right, 2) },
            { "met", c.met },
        });
    return QJsonObject {
        { "stopped", out.stopped },
        { "messages", messages },
        { "report", QString::fromStdString(out.report) },
        { "groups", groups },
        { "method",
            out.method ? QJsonValue(MethodKey(*out.method)) : QJsonValue(QJsonValue::Null) },
        { "n", out.n },
        { "mean", Units(out.mean, 1) },
        { "min", Units(out.min, 1) },
        { "sd", Units(out.sd, 2) },
        { "sigma0", Units(out.sigma0Used, 2) },
        { "lambda", lambda },
        { "conditions", conditions },
        { "passed", out.passed },
    };
}

// A value of an option, exact to `decimals` by the rule of the number boxes.
bool ReadUnitsOption(
    const QCommandLineParser& parser, const char* name, int decimals, std::int64_t& units)
{
    const std::string text = parser.value(name).toStdString();
    const std::optional<std::int64_t> value = ParseUnits(text, decimals);
    if (!value) {
        UsageError(std::string("--") + name + ": \"" + text + "\" is not a number");
        return false;
    }
    units = *value;
    return true;
}

// Index of `text` among `items`, or -1 after saying so.
template <typename Items, typename Text>
int Choose(const char* option, const QString& text, const Items& items, Text itemText)
{
    for (size_t i = 0; i < items.size(); ++i)
        if (text.compare(QString::fromUtf8(itemText(items[i])), Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    UsageError(std::string("--") + option + ": no item \"" + text.toStdString() + "\"");
    return -1;
}

std::optional<QByteArray> ReadInput(const QString& path)
{
    QFile file;
    const bool standardInput = path.isEmpty() || path == QLatin1String("-");
    const bool opened = standardInput ? file.open(stdin, QIODevice::ReadOnly)
                                      : (file.setFileName(path), file.open(QIODevice::ReadOnly));
    if (!opened) {
        UsageError(
            "cannot read \"" + path.toStdString() + "\": " + file.errorString().toStdString());
        return std::nullopt;
    }
    return file.readAll();
}

int RunEvaluate(const QStringList& arguments)
{
    QCommandLineParser parser;
    AddCommonOptions(parser);
    for (const char* name : { "grade", "method", "sigma0", "size", "factor" })
        parser.addOption(QCommandLineOption(name, QString(), "value"));
    if (!parser.parse(arguments))
        return UsageError(parser.errorText().toStdString());
    if (parser.isSet("help")) {
        std::fputs(kHelp, stdout);
        return kExitReport;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return UsageError("unexpected argument \"" + files.at(1).toStdString() + "\"");
    // The common options without the file, which the shared parsing would refuse.
    QStringList common = { arguments.value(0) };
    if (parser.isSet("json"))
        common << "--json";
    if (parser.isSet("encoding"))
        common << "--encoding" << parser.value("encoding");
    QCommandLineParser commonParser;
    AddCommonOptions(commonParser);
    const std::optional<CommonOptions> options = ParseCommandLine(commonParser, common);
    if (!options)
        return kExitUsage;

    EvaluationInputs in;
    if (!parser.isSet("grade"))
        return UsageError("--grade is needed, for example --grade C30");
    const int grade = Choose(
        "grade", parser.value("grade"), kEvalGrades, [](const EvalGradeItem& g) { return g.text; });
    if (grade < 0)
        return kExitUsage;
    in.gradeText = kEvalGrades[static_cast<size_t>(grade)].text;
    in.fcuK = kEvalGrades[static_cast<size_t>(grade)].fcuK;
    if (parser.isSet("method")) {
        const std::array<const char*, 4> keys = { "auto", "known", "unknown", "nonstat" };
        const int method
            = Choose("method", parser.value("method"), keys, [](const char* k) { return k; });
        if (method < 0)
            return kExitUsage;
        in.method = static_cast<EvalMethod>(method);
    }
    if (parser.isSet("size")) {
        const std::array<const char*, 3> sizes = { "150", "100", "200" };
        const int size
            = Choose("size", parser.value("size"), sizes, [](const char* s) { return s; });
        if (size < 0)
            return kExitUsage;
        in.size = static_cast<SpecimenSize>(size);
    }
    in.factor = SizeFactorUnits(in.size);
    if (parser.isSet("factor") && !ReadUnitsOption(parser, "factor", 2, in.factor))
        return kExitUsage;
    if (in.method == EvalMethod::Known && !parser.isSet("sigma0"))
        return UsageError("--method known needs --sigma0");
    if (parser.isSet("sigma0") && !ReadUnitsOption(parser, "sigma0", 2, in.sigma0))
        return kExitUsage;

    const std::optional<QByteArray> input = ReadInput(files.value(0));
    if (!input)
        return kExitUsage;
    const GroupBlock block = ReadGroupBlock(input->toStdString());
    if (block.badLine) {
        WriteOutput(stderr,
            "qoru-calc: line " + std::to_string(block.badLine) + ": \"" + block.badText
                + "\": " + block.message + "\n",
            options->encoding);
        return kExitUsage;
    }
    in.groups = block.groups;

    const EvaluationOutcome out = Evaluate(in);
    const int status = out.stopped ? kExitStopped : kExitReport;
    if (options->json) {
        const QByteArray text = QJsonDocument(OutcomeJson(in, out)).toJson(QJsonDocument::Indented);
        return WriteOutput(stdout, text.toStdString(), options->encoding) ? status : kExitUsage;
    }
    for (const Message& m : out.messages)
        if (!WriteOutput(stderr, m.text + "\n", options->encoding))
            return kExitUsage;
    if (!out.stopped && !WriteOutput(stdout, out.report, options->encoding))
        return kExitUsage;
    return status;
}

} // namespace

const CliCommand kEvaluateCommand = {
    "evaluate",
    "strength acceptance evaluation of a batch of cube results (GB/T 50107-2010)",
    kHelp,
    RunEvaluate,
};
