// The adjustment on any box texts (one a line): it never throws, a stop
// writes nothing, and a result keeps the water balance of the site mix.
#include "adjust/adjustcalc.h"
#include "fuzzinput.h"

#include <algorithm>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string all(reinterpret_cast<const char*>(data), size);
    AdjustInputs in;
    std::string* texts[] = { &in.masses[0], &in.masses[1], &in.masses[2], &in.masses[3],
        &in.masses[4], &in.masses[5], &in.masses[6], &in.measuredDensity, &in.sandMoisture,
        &in.coarseMoisture, &in.volume };
    std::size_t start = 0;
    for (std::string* text : texts) {
        if (start > all.size())
            break;
        const std::size_t end = std::min(all.find('\n', start), all.size());
        *text = all.substr(start, end - start);
        start = end + 1;
    }

    const AdjustOutcome out = CalculateAdjust(in);
    FUZZ_CHECK(out.stopped == out.report.empty());
    if (out.stopped)
        return 0;
    const AdjustResults& r = out.results;
    FUZZ_CHECK(r.site[kAdjustWater] >= 0);
    FUZZ_CHECK(r.site[kAdjustSand] - r.lab[kAdjustSand] == r.sandWater);
    FUZZ_CHECK(r.lab[kAdjustWater] - r.site[kAdjustWater] == r.sandWater + r.coarseWater);
    FUZZ_CHECK(r.corrected || r.lab == r.design);
    return 0;
}
