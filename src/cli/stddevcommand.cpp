#include "cli/clioutput.h"
#include "cli/commands.h"
#include "common/numberrule.h"
#include "stats/stddev.h"

#include <QCommandLineParser>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>

#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace {

const char kHelp[] = R"(qoru-calc stddev [FILE] [--json] [--encoding utf-8|gbk]
  Standard deviation of concrete strength, as the strength calculator's
  Compute button gives it. Reads specimen strengths (MPa) from FILE, or from
  standard input without FILE or with "-": one or more a line, separated by
  blanks or tabs. Each goes through the checks of the Add button: a number
  by the rule of the number boxes, from 0 to 500, greater than zero. The
  first value that fails them is reported on stderr with its line number,
  and qoru-calc exits with status 2.
  Prints "sigma S" (MPa, rounded half up to 0.01, as its box shows it) and
  "count N" on stdout, one a line. Fewer than 25 strengths stop the
  calculation (status 1) with the message of the Compute button on stderr.
  With --json, instead of the report and results of the other commands:
    {"stopped": bool, "messages": [{"kind": "stop", "text": "..."}],
     "count": N, "sigma": S}          (sigma is null when stopped)
)";

struct Reading
{
    std::vector<double> strengths; // floats widened, as the list rows hold them
    std::string error; // the first value refused, with its line; empty when none was
};

// The strengths of `bytes`, checked one by one as the Add button checks them.
Reading ReadStrengths(const QByteArray& bytes)
{
    Reading reading;
    std::string text = bytes.toStdString();
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0)
        text.erase(0, 3); // a BOM some editors write
    size_t start = 0;
    for (int line = 1; start < text.size(); ++line) {
        const size_t end = std::min(text.find('\n', start), text.size());
        std::string row = text.substr(start, end - start);
        if (!row.empty() && row.back() == '\r')
            row.pop_back();
        start = end + 1;

        for (size_t at = row.find_first_not_of(" \t"); at != std::string::npos;
             at = row.find_first_not_of(" \t", at)) {
            const size_t stop = std::min(row.find_first_of(" \t", at), row.size());
            const std::string word = row.substr(at, stop - at);
            at = stop;
            const StrengthEntry entry = ReadStrengthBox(word);
            if (entry.check != StrengthCheck::Accepted) {
                reading.error = "qoru-calc: line " + std::to_string(line) + ": \"" + word
                    + "\": " + entry.notice.text + "\n";
                return reading;
            }
            reading.strengths.push_back(static_cast<double>(entry.value));
        }
    }
    return reading;
}

std::optional<QByteArray> ReadInput(const QString& path)
{
    QFile file;
    bool opened;
    if (path.isEmpty() || path == QLatin1String("-")) {
        opened = file.open(stdin, QIODevice::ReadOnly);
    } else {
        file.setFileName(path);
        opened = file.open(QIODevice::ReadOnly);
    }
    if (!opened) {
        UsageError(
            "cannot read \"" + path.toStdString() + "\": " + file.errorString().toStdString());
        return std::nullopt;
    }
    return file.readAll();
}

QJsonArray MessagesJson(const Messages& messages)
{
    QJsonArray array;
    for (const Message& m : messages)
        array.append(QJsonObject {
            { "kind", m.kind == MessageKind::Stop ? "stop" : "warn" },
            { "text", QString::fromStdString(m.text) },
        });
    return array;
}

int RunStdDev(const QStringList& arguments)
{
    // The common options, plus one file argument that the shared parsing
    // would refuse.
    QCommandLineParser parser;
    parser.addOption(QCommandLineOption("json"));
    parser.addOption(QCommandLineOption("encoding", QString(), "name"));
    parser.addOption(QCommandLineOption(QStringList { "h", "help" }));
    if (!parser.parse(arguments))
        return UsageError(parser.errorText().toStdString());
    if (parser.isSet("help")) {
        std::fputs(kHelp, stdout);
        return kExitReport;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return UsageError("unexpected argument \"" + files.at(1).toStdString() + "\"");
    OutputEncoding encoding = OutputEncoding::Utf8;
    if (parser.isSet("encoding")) {
        const QString name = parser.value("encoding").toLower();
        if (name == "gbk")
            encoding = OutputEncoding::Gbk;
        else if (name != "utf-8" && name != "utf8")
            return UsageError("--encoding: \"" + parser.value("encoding").toStdString()
                + "\" is neither utf-8 nor gbk");
    }

    const std::optional<QByteArray> input = ReadInput(files.value(0));
    if (!input)
        return kExitUsage;
    const Reading reading = ReadStrengths(*input);
    if (!reading.error.empty()) {
        WriteOutput(stderr, reading.error, encoding);
        return kExitUsage;
    }

    const StdDevOutcome out = ComputeStdDev(reading.strengths, 0.0);
    const int status = out.stopped ? kExitStopped : kExitReport;
    // σ as its box shows it, so 3.45 is not printed as 3.4500000000000002.
    const std::string sigma = SigmaBoxText(out.sigma);

    if (parser.isSet("json")) {
        QJsonObject object;
        object.insert("stopped", out.stopped);
        object.insert("messages", MessagesJson(out.messages));
        object.insert("count", out.count);
        object.insert("sigma",
            out.stopped ? QJsonValue(QJsonValue::Null)
                        : QJsonValue(ParseNumberBox(sigma).value_or(out.sigma)));
        const QByteArray text = QJsonDocument(object).toJson(QJsonDocument::Indented);
        return WriteOutput(stdout, text.toStdString(), encoding) ? status : kExitUsage;
    }

    for (const Message& m : out.messages)
        if (!WriteOutput(stderr, m.text + "\n", encoding))
            return kExitUsage;
    if (!out.stopped
        && !WriteOutput(
            stdout, "sigma " + sigma + "\ncount " + CountBoxText(out.count) + "\n", encoding))
        return kExitUsage;
    return status;
}

} // namespace

const CliCommand kStdDevCommand = {
    "stddev",
    "standard deviation of concrete strength from 25 or more results",
    kHelp,
    RunStdDev,
};
