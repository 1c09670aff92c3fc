// The strength calculator on any typed texts: every text is either refused
// or a value in (0, 500] with its row text, and σ of what was accepted is
// finite, non-negative and independent of the order of the rows.
#include "fuzzinput.h"
#include "stats/stddev.h"

#include <algorithm>
#include <cmath>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string all(reinterpret_cast<const char*>(data), size);
    std::vector<double> values;
    std::size_t start = 0;
    while (start <= all.size()) {
        const std::size_t end = std::min(all.find('\n', start), all.size());
        const StrengthEntry entry = ReadStrengthBox(all.substr(start, end - start));
        if (entry.check == StrengthCheck::Accepted) {
            FUZZ_CHECK(entry.value > 0 && entry.value <= 500);
            FUZZ_CHECK(entry.notice.text.empty());
            FUZZ_CHECK(StrengthRowText(entry.value).size() >= 5);
            values.push_back(entry.value);
        } else {
            FUZZ_CHECK(!entry.notice.text.empty());
        }
        start = end + 1;
    }
    // Enough rows to compute: repeat what was accepted.
    for (std::size_t i = 0; !values.empty() && values.size() < 25; ++i)
        values.push_back(values[i]);
    const StdDevOutcome out = ComputeStdDev(values, 0);
    FUZZ_CHECK(out.stopped == (values.size() < 25));
    FUZZ_CHECK(std::isfinite(out.sigma) && out.sigma >= 0);
    std::vector<double> reversed(values.rbegin(), values.rend());
    FUZZ_CHECK(ComputeStdDev(reversed, 0).sigma == out.sigma);
    return 0;
}
