#include "cli/resultsjson.h"

#include "common/reportnum.h"

namespace {

using Json = nlohmann::json;

Json Number(std::int64_t units, int decimals)
{
    return ReportUnits(units, decimals);
}

Json OrNull(const std::optional<std::int64_t>& units, int decimals)
{
    return units ? Number(*units, decimals) : Json(nullptr);
}

Json MixJson(const OrdinaryMix& m)
{
    return {
        { "wb", Number(m.wb, 2) },
        { "water", Number(m.water, 0) },
        { "binder", Number(m.binder, 0) },
        { "cement", Number(m.cement, 0) },
        { "flyAsh", Number(m.flyAsh, 0) },
        { "slag", Number(m.slag, 0) },
        { "admixture", Number(m.admixture, 2) },
        { "sandRatio", Number(m.sandRatio, 1) },
        { "sand", Number(m.sand, 0) },
        { "stone", Number(m.stone, 0) },
    };
}

} // namespace

nlohmann::json OrdinaryResultsJson(const OrdinaryResults& r)
{
    Json out = MixJson(r.mix);
    out.update({
        { "fcu0", Number(r.fcu0, 1) },
        { "sigma", OrNull(r.sigma, 1) },
        { "fce", Number(r.fce, 1) },
        { "gammaF", OrNull(r.gammaF, 2) },
        { "gammaS", OrNull(r.gammaS, 2) },
        { "fb", Number(r.fb, 1) },
        { "wbCalculated", OrNull(r.wbCalculated, 2) },
        { "mw0Prime", Number(r.mw0Prime, 1) },
        { "binderMinimum", OrNull(r.binderMinimum, 0) },
        { "density", Number(r.density, 0) },
        { "ratio",
            Json::array(
                { "1", Number(r.ratio[0], 2), Number(r.ratio[1], 2), Number(r.ratio[2], 2) }) },
        { "trials",
            Json::array({ MixJson(r.trials[0]), MixJson(r.trials[1]), MixJson(r.trials[2]) }) },
    });
    return out;
}
