#pragma once

#include <QStringList>

// A subcommand of qoru-calc.
struct CliCommand
{
    const char* name; // the first argument
    const char* summary; // one line of the overview
    const char* help; // its options and the names of its results
    int (*run)(const QStringList& arguments); // arguments[0] is the name
};

extern const CliCommand kMix1Command;
extern const CliCommand kMix2Command;
extern const CliCommand kStdDevCommand;
extern const CliCommand kEvaluateCommand;
