// qoru-calc: the calculators of Qoru on the command line. Each command runs
// the same core functions as its dialog, so its report is byte for byte the
// one the dialog appends to the view.

#include "cli/clioutput.h"
#include "cli/commands.h"

#include <QCoreApplication>

#include <clocale>
#include <cstdio>
#include <string>

namespace {

// Add a command here (and its file to CMakeLists.txt).
const CliCommand* const kCommands[] = {
    &kMix1Command,
    &kMix2Command,
    &kStdDevCommand,
    &kEvaluateCommand,
};

const char kUsage[] = R"(Usage: qoru-calc COMMAND [OPTIONS]
       qoru-calc --help

Runs one calculation of Qoru and prints its report.

Without --json the report goes to stdout exactly as the program appends it
to its document (UTF-8, lines ended by CR LF, starting with a lone CR LF);
each message the calculation shows goes to stderr, one after another, each
ended by a line break (a message with a line break of its own takes two lines).

Options of every command:
  --json                one JSON object on stdout instead:
                          {"stopped": bool,
                           "messages": [{"kind": "stop"|"warn", "text": "..."}],
                           "report": "...",     ("" when stopped)
                           "results": {...}}    ({} when stopped)
                        messages in the order shown; "\n" breaks a line
                        inside a message
  --encoding utf-8|gbk  encoding of all output [utf-8]
  -h, --help            this text

Exit status:
  0  the calculation produced a report
  1  the calculation stopped (the stop message is the last message)
  2  bad usage, an option value that is not a number or not a list item,
     or output that could not be written

Commands:
)";

void PrintHelp()
{
    std::string text = kUsage;
    for (const CliCommand* command : kCommands) {
        text += "  ";
        text += command->name;
        text += "  ";
        text += command->summary;
        text += "\n";
    }
    for (const CliCommand* command : kCommands) {
        text += "\n";
        text += command->help;
    }
    std::fputs(text.c_str(), stdout);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    // Qt takes the locale from the environment; numbers are C numbers.
    std::setlocale(LC_NUMERIC, "C");
    PrepareOutputStreams();

    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 2)
        return UsageError("no command given; see qoru-calc --help");
    const QString first = arguments.at(1);
    if (first == "--help" || first == "-h" || first == "help") {
        PrintHelp();
        return kExitReport;
    }
    for (const CliCommand* command : kCommands)
        if (first == QLatin1String(command->name))
            return command->run(arguments.mid(1));
    return UsageError("unknown command \"" + first.toStdString() + "\"; see qoru-calc --help");
}
