#pragma once

#include "adjust/adjustcalc.h"

#include <string>

// The report of one adjustment: the design and its computed density, the
// correction, the mix ratio, the site mix and the batch, each formula written
// out with its numbers. UTF-8, begins with "\r\n", every line ended by "\r\n".
std::string BuildAdjustReport(
    const std::string& powder1Name, const std::string& powder2Name, const AdjustResults& r);
