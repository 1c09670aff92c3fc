#pragma once

#include <optional>
#include <string>

// The records keep numbers as the exact decimal text the user typed, so a
// value reads back with the digits shown (a density of 3.10 stays "3.10",
// never 3.1 or 3.0999999). These helpers work on that text alone.

// The number of a box (by the number-box rule), written out plainly with the
// digits typed: " 3.10 " gives "3.10", "3.1e3" "3100", "05" "5", "-.5" "-0.5".
// Empty when the text is no number or its exponent puts it beyond 30 digits.
std::optional<std::string> DecimalText(const std::string& box);

// -1, 0 or 1 for a text DecimalText made.
int DecimalSign(const std::string& decimal);

// Whether a text DecimalText made is greater than `limit`.
bool DecimalAbove(const std::string& decimal, unsigned long limit);
