#pragma once

#include "mix1/mix1calc.h"

#include <string>

// The calculation report of a completed method-1 press: UTF-8, every line
// ended by "\r\n", beginning with a lone "\r\n" that ends the last line of
// whatever text the report is appended to.
//
// `in` holds the values as the press leaves them (grade values set, W/B
// rounded, unused powder densities replaced) with Vg still as entered;
// `w` the rounded working values; `r` the result boxes.
std::string BuildMix1Report(const Mix1Inputs& in, const Mix1Working& w, const Mix1Results& r);
