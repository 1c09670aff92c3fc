#include "cli/resultsjson.h"

#include "common/numberrule.h"

nlohmann::json StdDevResultsJson(const StdDevOutcome& out)
{
    // σ as its box shows it, so 3.45 is not printed as 3.4500000000000002.
    const std::string sigma = SigmaBoxText(out.sigma);
    return {
        { "count", out.count },
        { "sigma",
            out.stopped ? nlohmann::json()
                        : nlohmann::json(ParseNumberBox(sigma).value_or(out.sigma)) },
    };
}
