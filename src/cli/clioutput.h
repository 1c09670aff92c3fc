#pragma once

#include "common/message.h"

#include <nlohmann/json.hpp>

#include <cstddef>
#include <cstdio>
#include <string>

// Exit status of every command.
enum CliExit
{
    kExitReport = 0, // the calculation ran through
    kExitStopped = 1, // a check or an invalid result stopped it
    kExitUsage = 2, // bad command line or input, or output that cannot be written
};

enum class OutputEncoding
{
    Utf8,
    Gbk
};

// What --json and --encoding ask of everything qoru-calc prints, its own
// error messages included.
struct OutputStyle
{
    bool json = false;
    OutputEncoding encoding = OutputEncoding::Utf8;
};

// Writes UTF-8 text to `stream` in the chosen encoding and flushes it. False,
// after saying why on stderr, when not every byte could be written.
bool WriteOutput(std::FILE* stream, const std::string& utf8, OutputEncoding encoding);

// A value the caller gave, as a message quotes it: in double quotes, cut to
// `maxChars` characters ending in "…" when longer. A tab, CR or LF is shown
// as \t, \r or \n, the bytes of any other control character and bytes that
// are not UTF-8 as \xHH, so a hostile value can neither flood the terminal
// nor steer it, and what was typed can still be read.
std::string Quoted(const std::string& value, std::size_t maxChars = 40);

// The system's text for an errno value, starting in lower case.
std::string SystemErrorText(int error);

// Every message of qoru-calc's own reads "qoru-calc: subject: problem", in
// lower case without a full stop: the subject is what it is about (an
// option, a line of input, a quoted value or file, a stream), the problem
// one wording for each kind of fault in every command.
//
// Reports what ends a run before or instead of a calculation (bad usage,
// input that cannot be read or is refused) and returns kExitUsage: the
// message on stderr, or with --json the object {"error": "<text>"} on stdout.
int Refuse(const std::string& text, const OutputStyle& style);

// JSON as qoru-calc prints it: indented by four blanks, ending with a line break.
std::string JsonText(const nlohmann::json& value);

// [{"kind": "stop"|"warn", "text": "..."}, ...] in the order shown.
nlohmann::json MessagesJson(const Messages& messages);

// What a calculation hands to the command line, whatever its kind.
struct CliOutcome
{
    bool stopped;
    const Messages& messages;
    const std::string& report; // not printed when stopped
    nlohmann::json results; // named values; not printed when stopped
    nlohmann::json extra = nlohmann::json::object(); // further fields of the JSON object itself
};

// Prints an outcome and returns the exit status. Plain: messages on stderr
// one after another, the report on stdout. JSON: one object on stdout.
int FinishCalculation(const CliOutcome& outcome, const OutputStyle& style);
