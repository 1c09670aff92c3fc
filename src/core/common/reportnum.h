#pragma once

#include <cstdint>
#include <string>

// Numbers as the reports print them: printf's "%<width>.<decimals>f", except
// that a value lying exactly halfway between two printable values is rounded
// away from zero (0.125 -> "0.13", 2.5 -> "3"), on every platform.
std::string FormatFixed(double value, int decimals, int width = 0);

// A report number: "%10.<decimals>f" with its leading blanks removed.
std::string ReportNumber(double value, int decimals);

// A report number held exactly, as units of 10^-decimals (3288 with 2 decimals
// is "32.88"): the text ReportNumber prints for that value, with no double
// in between. The exact-decimal calculators print through this.
std::string ReportUnits(std::int64_t units, int decimals);

// The shortest general form with up to `significant` digits ("%.*g"), as the
// number boxes show their values: 0.33, 3100, 0.
std::string FormatGeneral(double value, int significant);
