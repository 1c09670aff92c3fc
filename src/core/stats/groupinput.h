#pragma once

#include "stats/evaluation.h"

#include <string>
#include <vector>

// What the evaluation's input box, its paste and qoru-calc make of a line
// of text: one group, as three specimen strengths or one group value,
// separated by blanks, tabs or commas (as cells copied from a spreadsheet
// arrive). Each value follows the rule of the strength calculator's box:
// a number by the number-box rule, whole (a value longer than a box holds
// is no number), from 0 to 500 MPa, greater than zero once taken half up
// to 0.1 MPa.

enum class GroupLineCheck
{
    Accepted,
    NotANumber, // a value that is no number (or an empty line)
    OutOfRange, // below 0 or above 500
    NotPositive, // 0.0 once taken to 0.1 MPa
    WrongCount, // neither one value nor three
};

struct GroupLineEntry
{
    GroupLineCheck check = GroupLineCheck::NotANumber;
    EvalGroup group; // when accepted
    std::string message; // UTF-8, empty when accepted
    std::string value; // the value refused, when one was
};

GroupLineEntry ReadGroupLine(const std::string& line);

// A refused line's message as the form shows it.
Message GroupLineMessage(const GroupLineEntry& entry);

// Several lines at once, all or nothing: every non-blank line becomes a
// group, or the first line that is wrong is named and no group is taken.
struct GroupBlock
{
    std::vector<EvalGroup> groups; // empty when a line was refused
    int badLine = 0; // 1-based; 0 when every line was taken
    std::string badText; // that line as it was
    std::string message; // why, UTF-8
};

GroupBlock ReadGroupBlock(const std::string& text);

// The refusal of a block as the form shows it: which line, what is wrong,
// and that nothing was added.
std::string GroupBlockNotice(const GroupBlock& block);
