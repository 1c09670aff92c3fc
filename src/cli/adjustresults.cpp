#include "cli/resultsjson.h"

#include "common/exactdecimal.h"

#include <cstdlib>

namespace {

using Json = nlohmann::json;

const char* const kKeys[kAdjustMaterials]
    = { "cement", "powder1", "powder2", "sand", "coarse", "water", "admixture" };

// An exact decimal as a JSON number: the double nearest to it, which prints
// back with the same digits.
double Number(std::int64_t units, int decimals)
{
    return std::strtod(UnitsText(units, decimals).c_str(), nullptr);
}

Json Masses(const AdjustMasses& masses, bool batch)
{
    Json out = Json::object();
    for (int m = 0; m < kAdjustMaterials; ++m)
        out[kKeys[m]] = Number(
            masses[static_cast<size_t>(m)], batch ? kAdjustBatchDecimals : AdjustMassDecimals(m));
    return out;
}

Json OrNull(const std::optional<std::int64_t>& units, int decimals)
{
    return units ? Json(Number(*units, decimals)) : Json(nullptr);
}

} // namespace

nlohmann::json AdjustResultsJson(const AdjustResults& r)
{
    Json out = Json::object();
    out["computedDensity"] = Number(r.computedDensity, 1);
    out["measuredDensity"] = OrNull(r.measuredDensity, 0);
    out["deviation"] = OrNull(r.deviation, 2);
    out["delta"] = OrNull(r.delta, 3);
    out["corrected"] = r.corrected;
    out["lab"] = Masses(r.lab, false);
    out["ratio"] = Json { { "wb", Number(r.wb, 2) }, { "sand", Number(r.sandRatio, 2) },
        { "coarse", Number(r.coarseRatio, 2) }, { "water", Number(r.waterRatio, 2) } };
    out["site"] = Masses(r.site, false);
    out["batch"] = Masses(r.batch, true);
    return out;
}
