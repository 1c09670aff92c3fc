#pragma once

#include "cli/clioutput.h"

#include <QCommandLineParser>
#include <QStringList>

#include <optional>

// Options every calculation command takes: --json, --encoding, --help.
void AddCommonOptions(QCommandLineParser& parser);

struct CommonOptions
{
    bool json = false;
    OutputEncoding encoding = OutputEncoding::Utf8;
    bool help = false;
};

// Parses `arguments` (the first one is the command's name) with the
// options added to `parser`. Says what is wrong on stderr and returns
// nothing for an unknown option, a missing value, a stray argument or an
// unknown encoding.
std::optional<CommonOptions> ParseCommandLine(
    QCommandLineParser& parser, const QStringList& arguments);

// Sets `value` from option `name` when it is given, by the rule of the
// form's number boxes. False, after saying so on stderr, when it is not a number.
bool ReadNumberOption(const QCommandLineParser& parser, const QString& name, double& value);
