#pragma once

#include "adjust/adjustcalc.h"
#include "mix1/mix1calc.h"
#include "mix2/mix2calc.h"
#include "ordinary/ordinarycalc.h"
#include "stats/evaluation.h"
#include "stats/stddev.h"

#include <nlohmann/json.hpp>

// The named results of a calculation, as qoru-calc prints them under --json
// and as the ledger keeps them with an entry: one writer per kind, so both
// always say the same. They need nlohmann/json and the core only.

// "inputs": the inputs a calculation took, each field named and valued as
// the ledger records it (the tables of common/inputfields.h).
nlohmann::json InputsJson(const Mix1Inputs& in);
nlohmann::json InputsJson(const Mix2Inputs& in);
nlohmann::json InputsJson(const OrdinaryInputs& in);
nlohmann::json InputsJson(const AdjustInputs& in);
nlohmann::json InputsJson(const StdDevInputs& in);
nlohmann::json InputsJson(const EvaluationInputs& in);

// "results" of mix1: the result boxes, the working values, what the form
// writes back.
nlohmann::json Mix1ResultsJson(const Mix1Outcome& out);

// "results" of mix2: numbers as the form shows them, to 15 significant digits.
nlohmann::json Mix2ResultsJson(const Mix2Outcome& out);

// "results" of an ordinary design that was not stopped: decimal strings as
// the report prints them.
nlohmann::json OrdinaryResultsJson(const OrdinaryResults& r);

// "results" of an adjustment that was not stopped: computedDensity,
// measuredDensity, deviation, delta (null when not measured or not
// corrected), corrected, lab, ratio, site, batch.
nlohmann::json AdjustResultsJson(const AdjustResults& r);

// The fields of the standard deviation's object besides "stopped" and
// "messages": count, sigma (null when stopped).
nlohmann::json StdDevResultsJson(const StdDevOutcome& out);

// The fields of the evaluation's object besides "stopped", "messages" and
// "report": groups, method, n, mean, min, sd, sigma0, lambda, conditions,
// passed.
nlohmann::json EvaluationResultsJson(const EvaluationInputs& in, const EvaluationOutcome& out);
