#include "cli/resultsjson.h"

#include "common/inputfields.h"

namespace {

// The nlohmann side of the field tables; it only writes.
struct Fields
{
    nlohmann::json& out;

    void num(const char* key, double& v) { out[key] = v; }
    void num(const char* key, int& v) { out[key] = v; }
    void num(const char* key, std::int64_t& v) { out[key] = v; }
    void flag(const char* key, bool& v) { out[key] = v; }
    void text(const char* key, std::string& v) { out[key] = v; }
    void numbers(const char* key, std::vector<double>& v) { out[key] = v; }
    void groups(const char* key, std::vector<std::vector<std::int64_t>>& v) { out[key] = v; }
};

template <typename S> nlohmann::json Write(S copy)
{
    nlohmann::json out = nlohmann::json::object();
    Fields f { out };
    Walk(f, copy);
    return out;
}

} // namespace

nlohmann::json InputsJson(const Mix1Inputs& in)
{
    return Write(in);
}
nlohmann::json InputsJson(const Mix2Inputs& in)
{
    return Write(in);
}
nlohmann::json InputsJson(const OrdinaryInputs& in)
{
    return Write(in);
}
nlohmann::json InputsJson(const AdjustInputs& in)
{
    return Write(in);
}
nlohmann::json InputsJson(const StdDevInputs& in)
{
    return Write(in);
}
nlohmann::json InputsJson(const EvaluationInputs& in)
{
    return Write(in);
}
