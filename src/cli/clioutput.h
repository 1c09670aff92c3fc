#pragma once

#include "common/message.h"

#include <QJsonObject>

#include <cstdio>
#include <string>

// Exit status of every command.
enum CliExit
{
    kExitReport = 0, // the calculation ran through
    kExitStopped = 1, // a check or an invalid result stopped it
    kExitUsage = 2, // bad command line, or output that cannot be written
};

enum class OutputEncoding
{
    Utf8,
    Gbk
};

// Streams carry bytes as written: no CR is added before a report's LF.
void PrepareOutputStreams();

// Writes UTF-8 text to `stream` in the chosen encoding. False, after saying
// why on stderr, when the text could not be written.
bool WriteOutput(std::FILE* stream, const std::string& utf8, OutputEncoding encoding);

// "qoru-calc: <text>" on stderr; returns kExitUsage.
int UsageError(const std::string& text);

// What a calculation hands to the command line, whatever its kind.
struct CliOutcome
{
    bool stopped;
    const Messages& messages;
    const std::string& report; // not printed when stopped
    QJsonObject results; // named values; not printed when stopped
    QJsonObject extra = {}; // further fields of the JSON object itself
};

// Prints an outcome and returns the exit status. Plain: messages on stderr
// one after another, the report on stdout. JSON: one object on stdout.
int FinishCalculation(const CliOutcome& outcome, bool json, OutputEncoding encoding);
