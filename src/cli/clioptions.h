#pragma once

#include "cli/clioutput.h"

#include <CLI/CLI.hpp>

#include <memory>
#include <string>
#include <vector>

// What the commands share in declaring their options on CLI11, reading them
// as the forms read their boxes and lists, and telling bad usage.

// --json and --encoding, read into `style`.
void AddOutputOptions(CLI::App& command, OutputStyle& style);

// The --json and --encoding among raw arguments, so that an error found
// before CLI11 reaches them (or that stops it) is still told as asked.
OutputStyle ScanOutputStyle(const std::vector<std::string>& arguments);

// A number option, read by the rule of the form's number boxes, whole, into
// `value` when given; its help ends with the current `value` in brackets as the
// opening value, unless `showDefault` is false.
CLI::Option* AddNumberOption(CLI::App& command, const std::string& name, double& value,
    const std::string& valueName, const std::string& description, bool showDefault = true);

// Why a number option's value is refused, or empty when it is not: longer
// than a box holds (never cut as a box cuts it), no number by the boxes'
// rule, or, when `decimals` is not negative, too large to take to that many
// decimals exactly. The same wording in every command.
std::string NumberValueFault(const std::string& text, int decimals = -1);

// A number option held as its text, as a box holds it, for the calculators
// that read their boxes exactly: a number by the boxes' rule that fits
// `decimals` (or, when `emptyIsNone`, nothing at all).
CLI::Option* AddTextOption(CLI::App& command, const std::string& name, std::string& text,
    int decimals, const std::string& valueName, const std::string& description,
    bool emptyIsNone = false);

// A list option: selects the entry of `entries` whose text is given, as the
// user would, by setting `index`; `alias` is another name of entry 0. Its
// help ends with the entry `index` holds now, in brackets.
CLI::Option* AddListOption(CLI::App& command, const std::string& name,
    const std::vector<std::string>& entries, int& index, const std::string& valueName,
    const std::string& description, const std::string& alias = {});

// "A|B|C": the entries as a value name.
std::string Choices(const std::vector<std::string>& entries);

// The help of qoru-calc: usage first, every command in full with its footer
// under qoru-calc --help, columns kept for Chinese option values.
std::shared_ptr<CLI::Formatter> MakeHelpFormatter();

// The message of an error CLI11 raised while parsing.
std::string UsageErrorText(const CLI::ParseError& error);

// What CLI11 lets through but qoru-calc refuses, once parsing succeeded: an
// argument no command or option took, an option given twice. Empty when the
// command line is sound.
std::string CheckUsage(const CLI::App& program);
