#include "common/roundto.h"

#include <cmath>
#include <cstdint>
#include <limits>

double RoundTo(double value, int decimals)
{
    static const double kScale[] = { 1.0, 10.0, 100.0, 1000.0, 10000.0 };
    static const double kStep[] = { 1.0, 0.1, 0.01, 0.001, 0.0001 };
    if (decimals < 0 || decimals > 4 || !std::isfinite(value))
        return value;

    const double scaled = (decimals == 0 ? value : value * kScale[decimals]) + 0.5;
    // Within the 32-bit range the floor goes through an integer as it always
    // has; beyond it the same rounding is done in double precision, where every
    // such value is already an integer or close to one.
    double whole;
    if (scaled >= std::numeric_limits<std::int32_t>::min()
        && scaled < static_cast<double>(std::numeric_limits<std::int32_t>::max()) + 1.0) {
        auto n = static_cast<std::int32_t>(scaled);
        if (static_cast<double>(n) > scaled)
            --n; // truncation went toward zero; floor goes down
        whole = static_cast<double>(n);
    } else {
        whole = std::floor(scaled);
    }
    return decimals == 0 ? whole : whole * kStep[decimals];
}
