#include "cli/resultsjson.h"

#include "common/exactdecimal.h"

namespace {

nlohmann::json Units(std::optional<std::int64_t> units, int decimals)
{
    if (!units)
        return nullptr;
    return static_cast<double>(*units) / static_cast<double>(Pow10(decimals));
}

const char* TakenKey(GroupTaken taken)
{
    switch (taken) {
    case GroupTaken::Mean:
        return "mean";
    case GroupTaken::Middle:
        return "middle";
    case GroupTaken::Invalid:
        return "invalid";
    case GroupTaken::Given:
        break;
    }
    return "given";
}

} // namespace

nlohmann::json EvaluationResultsJson(const EvaluationInputs& in, const EvaluationOutcome& out)
{
    nlohmann::json groups = nlohmann::json::array();
    for (std::size_t i = 0; i < in.groups.size(); ++i) {
        nlohmann::json strengths = nlohmann::json::array();
        for (std::int64_t s : in.groups[i].strengths)
            strengths.push_back(Units(s, 1));
        // A stop before the groups were taken leaves them to be taken here.
        const GroupResult r
            = i < out.groups.size() ? out.groups[i] : EvaluateGroup(in.groups[i], in.factor);
        groups.push_back({ { "strengths", strengths }, { "value", Units(r.value, 1) },
            { "taken", TakenKey(r.taken) } });
    }
    nlohmann::json lambda = nlohmann::json::object();
    for (const EvalCoefficient& c : out.coefficients)
        lambda[c.key] = Units(c.value, 2);
    nlohmann::json conditions = nlohmann::json::array();
    for (const EvalCondition& c : out.conditions)
        conditions.push_back(
            { { "left", Units(c.left, 1) }, { "right", Units(c.right, 2) }, { "met", c.met } });
    return {
        { "groups", groups },
        { "method", out.method ? nlohmann::json(MethodKey(*out.method)) : nlohmann::json() },
        { "n", out.n },
        { "mean", Units(out.mean, 1) },
        { "min", Units(out.min, 1) },
        { "sd", Units(out.sd, 2) },
        { "sigma0", Units(out.sigma0Used, 2) },
        { "lambda", lambda },
        { "conditions", conditions },
        { "passed", out.passed },
    };
}
