#pragma once

// Rounds half up to 0..4 decimals: floor(value * 10^decimals + 0.5), then
// scaled back by multiplying with the decimal step (0.1, 0.01, ...), never by
// dividing, so that results match the reports digit for digit.
// Any other number of decimals, and a non-finite value, come back unchanged.
double RoundTo(double value, int decimals);
