#pragma once

#include "adjust/adjustcalc.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

// The JSON side of `qoru-calc adjust`, whatever parses its command line.

// The per-m3 design that `qoru-calc mix1 --json`, `mix2 --json` or
// `ordinary --json` printed,
// as the adjustment form opens with it. Empty, with `error` saying why, for
// text that is no such JSON (nothing but white space may follow the
// object), a calculation that produced no design, or a powder name refused.
std::optional<AdjustInputs> AdjustDesignFromJson(const std::string& text, std::string& error);

// Why a powder's name is refused, or empty when it is not: the report prints
// it as given, so it must be UTF-8 without control characters and no longer
// than a box holds.
std::string PowderNameFault(const std::string& name);
