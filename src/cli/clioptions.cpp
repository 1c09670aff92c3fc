#include "cli/clioptions.h"

#include "common/numberrule.h"

void AddCommonOptions(QCommandLineParser& parser)
{
    parser.addOption(QCommandLineOption("json"));
    parser.addOption(QCommandLineOption("encoding", QString(), "name"));
    parser.addOption(QCommandLineOption(QStringList { "h", "help" }));
}

std::optional<CommonOptions> ParseCommandLine(
    QCommandLineParser& parser, const QStringList& arguments)
{
    if (!parser.parse(arguments)) {
        UsageError(parser.errorText().toStdString());
        return std::nullopt;
    }
    if (!parser.positionalArguments().isEmpty()) {
        UsageError(
            "unexpected argument \"" + parser.positionalArguments().first().toStdString() + "\"");
        return std::nullopt;
    }
    CommonOptions options;
    options.json = parser.isSet("json");
    options.help = parser.isSet("help");
    if (parser.isSet("encoding")) {
        const QString name = parser.value("encoding").toLower();
        if (name == "utf-8" || name == "utf8") {
            options.encoding = OutputEncoding::Utf8;
        } else if (name == "gbk") {
            options.encoding = OutputEncoding::Gbk;
        } else {
            UsageError("--encoding: \"" + parser.value("encoding").toStdString()
                + "\" is neither utf-8 nor gbk");
            return std::nullopt;
        }
    }
    return options;
}

bool ReadNumberOption(const QCommandLineParser& parser, const QString& name, double& value)
{
    if (!parser.isSet(name))
        return true;
    const std::string text = parser.value(name).toStdString();
    const std::optional<double> number = ParseNumberBox(text);
    if (!number) {
        UsageError("--" + name.toStdString() + ": \"" + text + "\" is not a number");
        return false;
    }
    value = *number;
    return true;
}
