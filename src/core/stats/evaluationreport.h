#pragma once

#include "stats/evaluation.h"

#include <string>

// The calculation report of an evaluation that reached a verdict: the
// conditions, each group and how its value was taken, the statistics, each
// acceptance condition with its numbers put in, and the verdict. Every
// number is printed exactly as the rules round it, so each line can be
// checked by hand. UTF-8, lines ended by "\r\n", starting with a lone one.
std::string BuildEvaluationReport(const EvaluationInputs& in, const EvaluationOutcome& out);
