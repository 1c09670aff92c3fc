// The report number format on any double: it never crashes, and a finite
// value prints as a plain decimal number within half a unit of the last
// place of the value.
#include "common/reportnum.h"
#include "common/roundto.h"
#include "fuzzinput.h"

#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzInput in(data, size);
    const double value = in.Double(in.Byte() * 0.125);
    const int decimals = in.Byte() % 5;
    const std::string text = ReportNumber(value, decimals);
    RoundTo(value, decimals);
    if (!std::isfinite(value))
        return 0;
    FUZZ_CHECK(!text.empty() && text.find(' ') == std::string::npos);
    if (std::fabs(value) < 1e15) {
        const double back = std::strtod(text.c_str(), nullptr);
        const double unit = std::pow(10.0, -decimals);
        FUZZ_CHECK(std::fabs(back - value) <= unit / 2 * (1 + 1e-9) + std::fabs(value) * 1e-15);
    }
    return 0;
}
