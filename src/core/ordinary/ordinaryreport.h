#pragma once

#include "ordinary/ordinarycalc.h"

#include <string>

// The report of one ordinary-concrete design: the requirements and
// materials, every step with its formula, its numbers and the table it read,
// the calculated mix and the three trial mixes. UTF-8, begins with "\r\n",
// every line ended by "\r\n".
std::string BuildOrdinaryReport(const OrdinaryValues& v, const OrdinaryResults& r);
