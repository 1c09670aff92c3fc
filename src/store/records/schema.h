#pragma once

#include <string>
#include <vector>

struct Dialect;

// The records' schema, built in steps. A file at version n has had steps
// 1..n applied; opening it applies the rest in one transaction. A step is
// never changed once released: a change is a new step.
struct SchemaStep
{
    int version = 0;
    std::vector<std::string> statements; // "{id}" stands for the dialect's id column
    // Run after them where the database has logins of its own (a server):
    // the groups, their grants and the rules the server enforces.
    std::vector<std::string> serverStatements;
};

const std::vector<SchemaStep>& SchemaSteps();
int LatestSchemaVersion();

// A step's statements for one dialect.
std::vector<std::string> StepStatements(const SchemaStep& step, const Dialect& dialect);
