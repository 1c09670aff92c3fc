// qoru-calc: the calculators of Qoru on the command line. Each command runs
// the same core functions as its dialog, so its report is byte for byte the
// one the dialog appends to the view.

#include "cli/clioptions.h"
#include "cli/clioutput.h"
#include "cli/commands.h"

#include <CLI/CLI.hpp>

#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
// After windows.h:
#include <fcntl.h>
#include <io.h>
#include <shellapi.h>
#endif

namespace {

// Add a command here (and its file to CMakeLists.txt).
CliCommand (*const kCommands[])(CLI::App&) = {
    AddMix1Command,
    AddMix2Command,
    AddStdDevCommand,
    AddEvaluateCommand,
    AddAdjustCommand,
    AddOrdinaryCommand,
};

const char kDescription[] = "Runs one calculation of Qoru and prints its report.";

const char kFooter[] = R"(Output:
  Without --json the report goes to stdout exactly as the program appends it
  to its document (UTF-8, lines ended by CR LF, starting with a lone CR LF);
  each message the calculation shows goes to stderr, one after another, each
  ended by a line break (a message with a line break of its own takes two
  lines). With --json, one JSON object on stdout instead:
    {"stopped": bool,
     "messages": [{"kind": "stop"|"warn", "text": "..."}],
     "report": "...",     ("" when stopped)
     "results": {...},    ({} when stopped)
     "inputs": {...}}     (the inputs calculated, named as the ledger records
                          them)
  messages in the order shown; "\n" breaks a line inside a message.
  qoru-calc's own messages read "qoru-calc: subject: problem" on stderr; with
  --json each is the object {"error": "subject: problem"} on stdout instead.
  --encoding utf-8|gbk: the encoding of all output [utf-8].

Exit status:
  0  the calculation produced a report
  1  the calculation stopped (the stop message is the last message)
  2  bad usage, an option value that is not a number, too long or too large
     or not a list item, input that cannot be read or is refused, or output
     that could not be written)";

// The arguments as UTF-8, the program's name first.
std::vector<std::string> Utf8Arguments(int argc, char** argv)
{
#ifdef _WIN32
    // argv arrives in the ANSI code page, which loses Chinese option values
    // and file names; the wide command line keeps them.
    int count = 0;
    if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
        std::vector<std::string> arguments;
        for (int i = 0; i < count; ++i) {
            const int size
                = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
            std::string text(static_cast<std::size_t>(size > 1 ? size : 1), '\0');
            WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, text.data(), size, nullptr, nullptr);
            text.resize(text.size() - 1); // the terminating NUL
            arguments.push_back(text);
        }
        LocalFree(wide);
        return arguments;
    }
#endif
    return { argv, argv + argc };
}

// Streams carry bytes as they are: reports end their lines with "\r\n"
// already, and text mode would write "\r\r\n" and end input at a Ctrl-Z.
void UseBinaryStreams()
{
#ifdef _WIN32
    _setmode(_fileno(stdin), _O_BINARY);
    _setmode(_fileno(stdout), _O_BINARY);
    _setmode(_fileno(stderr), _O_BINARY);
#endif
}

} // namespace

int main(int argc, char** argv)
{
    UseBinaryStreams();
    std::vector<std::string> arguments = Utf8Arguments(argc, argv);
    if (arguments.size() > 1 && arguments[1] == "help")
        arguments[1] = "--help";
    OutputStyle style = ScanOutputStyle(arguments);

    CLI::App program(kDescription, "qoru-calc");
    program.formatter(MakeHelpFormatter());
    program.footer(kFooter);
    // A repeated option is refused by CheckUsage, with the other misuses.
    program.option_defaults()->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    program.allow_extras();
    // Windows-style "/option"s would take a path such as /tmp/a.txt for one.
    program.allow_windows_style_options(false);
    program.require_subcommand(0, 1);
    program.set_help_flag("-h,--help", "this command's options and results");
    std::vector<CliCommand> commands;
    for (const auto add : kCommands) {
        CliCommand command = add(program);
        command.app->group("Commands");
        command.app->allow_extras();
        AddOutputOptions(*command.app, style);
        commands.push_back(command);
    }
    program.set_help_flag();
    program.set_help_all_flag("-h,--help", "this text: every command with its options");

    try {
        std::vector<std::string> reversed(arguments.rbegin(), arguments.rend() - 1);
        program.parse(reversed);
    } catch (const CLI::CallForAllHelp&) {
        const std::string help = program.help("", CLI::AppFormatMode::All);
        return WriteOutput(stdout, help, style.encoding) ? kExitReport : kExitUsage;
    } catch (const CLI::CallForHelp&) {
        return WriteOutput(stdout, program.help(), style.encoding) ? kExitReport : kExitUsage;
    } catch (const CLI::ParseError& error) {
        return Refuse(UsageErrorText(error), style);
    }

    const std::string misuse = CheckUsage(program);
    if (!misuse.empty())
        return Refuse(misuse, style);
    for (const CliCommand& command : commands)
        if (command.app->parsed())
            return command.run(style);
    return kExitUsage; // CheckUsage has made sure a command was chosen
}
