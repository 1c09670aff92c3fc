#pragma once

#include "adjust/adjustcalc.h"
#include "common/calckind.h"
#include "mix1/mix1calc.h"
#include "mix2/mix2calc.h"
#include "ordinary/ordinarycalc.h"
#include "stats/evaluation.h"
#include "stats/stddev.h"

#include <optional>
#include <string>

// A calculator's inputs as the JSON object a record keeps and the settings
// remember, and back. What fromJson gives, a form loads and calculates to
// the same report as the inputs it was made from. A key that is missing
// keeps its opening value; text that is no JSON object gives nothing.

// The kind as a record names it: "mix1", "mix2", "stddev", "evaluate", "adjust".
std::string CalcKindName(CalcKind kind);

std::string toJson(const Mix1Inputs& in);
std::string toJson(const Mix2Inputs& in);
std::string toJson(const StdDevInputs& in);
std::string toJson(const EvaluationInputs& in);
std::string toJson(const AdjustInputs& in);
std::string toJson(const OrdinaryInputs& in);

template <typename Inputs> std::optional<Inputs> fromJson(const std::string& json);
template <> std::optional<Mix1Inputs> fromJson<Mix1Inputs>(const std::string& json);
template <> std::optional<Mix2Inputs> fromJson<Mix2Inputs>(const std::string& json);
template <> std::optional<StdDevInputs> fromJson<StdDevInputs>(const std::string& json);
template <> std::optional<EvaluationInputs> fromJson<EvaluationInputs>(const std::string& json);
template <> std::optional<AdjustInputs> fromJson<AdjustInputs>(const std::string& json);
template <> std::optional<OrdinaryInputs> fromJson<OrdinaryInputs>(const std::string& json);

// Why JSON is refused as `kind`'s inputs: `key` names the first key that is
// none of the kind's fields, or whose value has not its field's type (a
// number, a whole number, a text, true or false, a list), with the place in
// a list ("groups[2][0]"); empty for text that is no JSON object. `problem`
// says what is wrong, in words that follow the key ("应为数值").
struct InputsFault
{
    std::string key;
    std::string problem;
};
// Nothing when every key is a field of the kind with a value of its type.
std::optional<InputsFault> CheckInputsJson(CalcKind kind, const std::string& json);
