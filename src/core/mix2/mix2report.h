#pragma once

#include "mix2/mix2calc.h"
#include "mix2/mix2members.h"

#include <string>

// The method-2 calculation report of one press: "\r\n" before every line and
// one more after the last. `m` holds the entered values and the refreshed
// grade members, `w` the working values. When the check failed, the report
// ends with the check's remarks.
std::string BuildMix2Report(const Mix2Members& m, const Mix2Work& w, const Mix2Check& check);
