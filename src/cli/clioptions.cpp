#include "cli/clioptions.h"

#include "common/exactdecimal.h"
#include "common/numberrule.h"
#include "common/reportnum.h"

#include <algorithm>
#include <cctype>
#include <optional>

namespace {

std::optional<OutputEncoding> EncodingNamed(std::string name)
{
    std::transform(name.begin(), name.end(), name.begin(),
        [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if (name == "utf-8" || name == "utf8")
        return OutputEncoding::Utf8;
    if (name == "gbk")
        return OutputEncoding::Gbk;
    return std::nullopt;
}

// The index of the entry named `text`, or -1.
int EntryIndex(
    const std::vector<std::string>& entries, const std::string& alias, const std::string& text)
{
    if (!alias.empty() && text == alias)
        return 0;
    const auto it = std::find(entries.begin(), entries.end(), text);
    return it == entries.end() ? -1 : static_cast<int>(it - entries.begin());
}

// Columns a terminal gives the text: two for CJK and full-width characters.
std::size_t DisplayWidth(const std::string& text)
{
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto byte = static_cast<unsigned char>(text[i]);
        if ((byte & 0xC0) == 0x80)
            continue;
        width += byte >= 0xE1 ? 2 : 1; // U+1000 and up: CJK, full-width forms
    }
    return width;
}

bool LooksLikeOption(const std::string& argument)
{
    return argument.size() > 1 && argument[0] == '-';
}

// No blanks at line ends, no more than one empty line in a row.
std::string Tidy(const std::string& text)
{
    std::string out;
    for (char c : text) {
        if (c == '\n') {
            out.erase(out.find_last_not_of(' ') + 1);
            if (out.size() >= 2 && out.compare(out.size() - 2, 2, "\n\n") == 0)
                continue;
        }
        out += c;
    }
    return out;
}

class HelpFormatter : public CLI::Formatter
{
public:
    HelpFormatter()
    {
        label("SUBCOMMAND", "COMMAND");
        label("Positionals", "Arguments");
    }

    // Usage first, then what the command does.
    std::string make_help(
        const CLI::App* app, std::string name, CLI::AppFormatMode mode) const override
    {
        if (mode == CLI::AppFormatMode::Sub)
            return make_expanded(app);
        return Tidy(make_usage(app, name) + "\n" + make_description(app) + make_positionals(app)
            + make_groups(app, mode) + make_subcommands(app, mode) + "\n" + make_footer(app));
    }

    // A command in full under the program's help, its footer included.
    std::string make_expanded(const CLI::App* sub) const override
    {
        std::string heading
            = make_usage(sub, sub->get_parent()->get_name() + " " + sub->get_name());
        heading.erase(0, heading.find(' ') + 1); // "Usage: "
        const std::string body = make_description(sub) + make_positionals(sub)
            + make_groups(sub, CLI::AppFormatMode::Sub) + "\n" + make_footer(sub);
        std::string text = "\n" + heading + "  ";
        for (char c : body) {
            text += c;
            if (c == '\n')
                text += "  ";
        }
        return Tidy(text);
    }

    // CLI11 pads by bytes, which leaves Chinese option values out of line.
    std::string make_option(const CLI::Option* opt, bool is_positional) const override
    {
        std::string text = "  " + make_option_name(opt, is_positional) + make_option_opts(opt);
        const std::size_t width = DisplayWidth(text);
        const std::size_t column = get_column_width();
        text += width < column ? std::string(column - width, ' ') : "\n" + std::string(column, ' ');
        for (char c : make_option_desc(opt)) {
            text += c;
            if (c == '\n')
                text += std::string(column, ' ');
        }
        return text + "\n";
    }
};

} // namespace

void AddOutputOptions(CLI::App& command, OutputStyle& style)
{
    command
        .add_flag_callback(
            "--json", [&style] { style.json = true; },
            "one JSON object on stdout instead (see qoru-calc --help)")
        ->disable_flag_override();
    command
        .add_option_function<std::string>(
            "--encoding",
            [&style](const std::string& name) { style.encoding = *EncodingNamed(name); },
            "encoding of all output [utf-8]")
        ->type_name("utf-8|gbk")
        ->check(CLI::Validator(
            [](std::string& name) {
                return EncodingNamed(name) ? std::string()
                                           : Quoted(name) + " is neither utf-8 nor gbk";
            },
            ""));
}

OutputStyle ScanOutputStyle(const std::vector<std::string>& arguments)
{
    OutputStyle style;
    const std::string prefix = "--encoding=";
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& a = arguments[i];
        std::optional<OutputEncoding> encoding;
        if (a == "--json")
            style.json = true;
        else if (a == "--encoding" && i + 1 < arguments.size())
            encoding = EncodingNamed(arguments[i + 1]);
        else if (a.compare(0, prefix.size(), prefix) == 0)
            encoding = EncodingNamed(a.substr(prefix.size()));
        if (encoding)
            style.encoding = *encoding;
    }
    return style;
}

CLI::Option* AddNumberOption(CLI::App& command, const std::string& name, double& value,
    const std::string& valueName, const std::string& description, bool showDefault)
{
    const std::string help
        = showDefault ? description + " [" + FormatGeneral(value, 15) + "]" : description;
    return command
        .add_option_function<std::string>(
            "--" + name, [&value](const std::string& text) { value = *ParseNumberWord(text); },
            help)
        ->type_name(valueName)
        ->check(CLI::Validator([](std::string& text) { return NumberValueFault(text); }, ""));
}

std::string NumberValueFault(const std::string& text, int decimals)
{
    if (!FitsBox(text))
        return Quoted(text) + " is longer than a box holds (" + std::to_string(kBoxChars)
            + " characters)";
    if (!ParseNumberBox(text))
        return Quoted(text) + " is not a number";
    if (decimals >= 0 && !ParseUnits(text, decimals))
        return Quoted(text) + " is too large";
    return {};
}

CLI::Option* AddTextOption(CLI::App& command, const std::string& name, std::string& text,
    int decimals, const std::string& valueName, const std::string& description, bool emptyIsNone)
{
    return command.add_option("--" + name, text, description)
        ->type_name(valueName)
        ->check(CLI::Validator(
            [emptyIsNone, decimals](std::string& value) {
                return emptyIsNone && value.empty() ? std::string()
                                                    : NumberValueFault(value, decimals);
            },
            ""));
}

CLI::Option* AddListOption(CLI::App& command, const std::string& name,
    const std::vector<std::string>& entries, int& index, const std::string& valueName,
    const std::string& description, const std::string& alias)
{
    std::string opening;
    if (index >= 0 && static_cast<std::size_t>(index) < entries.size())
        opening = index == 0 && !alias.empty() ? alias : entries[static_cast<std::size_t>(index)];
    return command
        .add_option_function<std::string>(
            "--" + name,
            [&index, entries, alias](
                const std::string& text) { index = EntryIndex(entries, alias, text); },
            description + " [" + opening + "]")
        ->type_name(valueName)
        ->check(CLI::Validator(
            [entries, alias](std::string& text) {
                return EntryIndex(entries, alias, text) >= 0 ? std::string()
                                                             : Quoted(text) + " is not in the list";
            },
            ""));
}

std::string Choices(const std::vector<std::string>& entries)
{
    std::string text;
    for (const std::string& entry : entries)
        text += (text.empty() ? "" : "|") + entry;
    return text;
}

std::shared_ptr<CLI::Formatter> MakeHelpFormatter()
{
    return std::make_shared<HelpFormatter>();
}

std::string UsageErrorText(const CLI::ParseError& error)
{
    const std::string text = error.what();
    if (error.get_name() == "ArgumentMismatch") {
        // CLI11 names the option first: "--sigma: 1 required S missing",
        // "--json was given a disallowed flag override".
        std::string option = text.substr(0, text.find_first_of(": "));
        if (option.compare(0, 1, "-") != 0)
            option.insert(0, "--"); // the flag override names it bare
        if (text.find("flag override") != std::string::npos)
            return option + ": takes no value";
        return option + ": missing value";
    }
    if (error.get_name() == "ValidationError")
        return text; // "--option: " and the text of our own check
    const std::string required = " is required";
    if (error.get_name() == "RequiredError" && text.size() > required.size()
        && text.compare(text.size() - required.size(), required.size(), required) == 0)
        return text.substr(0, text.size() - required.size()) + ": needed";
    std::string lowered = text;
    if (!lowered.empty())
        lowered[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(lowered[0])));
    return lowered;
}

std::string CheckUsage(const CLI::App& program)
{
    const std::string programHint = "; see " + program.get_name() + " --help";
    const std::vector<CLI::App*> chosen = program.get_subcommands();
    const std::vector<std::string> before = program.remaining();
    if (chosen.empty()) {
        for (const std::string& argument : before)
            if (!LooksLikeOption(argument))
                return Quoted(argument) + ": unknown command" + programHint;
        return "command: needed" + programHint;
    }
    if (!before.empty())
        return Quoted(before.front()) + ": unknown option before the command" + programHint;

    const CLI::App& command = *chosen.front();
    const std::string hint = "; see " + program.get_name() + " " + command.get_name() + " --help";
    for (const std::string& argument : command.remaining()) {
        if (argument == "--")
            continue; // ends the options; CLI11 keeps it among the extras
        return Quoted(argument)
            + (LooksLikeOption(argument) ? ": unknown option" : ": unexpected argument") + hint;
    }
    for (const CLI::Option* option : command.get_options())
        if (option->count() > 1)
            return option->get_name() + ": given more than once";
    return {};
}
