#pragma once

#include "adjust/adjustcalc.h"

#include <nlohmann/json.hpp>

#include <optional>
#include <string>

// The JSON side of `qoru-calc adjust`, whatever parses its command line.

// The per-m3 design that `qoru-calc mix1 --json` or `mix2 --json` printed,
// as the adjustment form opens with it. Empty, with `error` saying why, for
// text that is no such JSON or a calculation that produced no design.
std::optional<AdjustInputs> AdjustDesignFromJson(const std::string& text, std::string& error);

// "results" of an adjustment that was not stopped: computedDensity,
// measuredDensity, deviation, delta (null when not measured or not
// corrected), corrected, lab, ratio, site, batch.
nlohmann::ordered_json AdjustResultsJson(const AdjustResults& r);
