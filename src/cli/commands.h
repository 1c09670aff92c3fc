#pragma once

#include "cli/clioutput.h"

#include <CLI/CLI.hpp>

#include <functional>

// A subcommand of qoru-calc, declared on the program's CLI11 App by its
// Add...Command function (one file each): its options read straight into the
// calculation's inputs, and `run` calculates and prints once the command line
// has been parsed into them, returning the exit status.
struct CliCommand
{
    CLI::App* app;
    std::function<int(const OutputStyle&)> run;
};

CliCommand AddMix1Command(CLI::App& program);
CliCommand AddMix2Command(CLI::App& program);
CliCommand AddStdDevCommand(CLI::App& program);
CliCommand AddEvaluateCommand(CLI::App& program);
CliCommand AddAdjustCommand(CLI::App& program);
CliCommand AddOrdinaryCommand(CLI::App& program);
