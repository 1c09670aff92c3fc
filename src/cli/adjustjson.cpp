#include "cli/adjustjson.h"

#include "cli/clioutput.h"
#include "common/exactdecimal.h"
#include "common/numberrule.h"
#include "common/reportnum.h"

#include <cstdlib>

namespace {

using Json = nlohmann::ordered_json;

// A name the design carries, in its results or beside them.
std::string NameOf(const Json& doc, const Json& results, const char* key, const char* fallback)
{
    for (const Json* where : { &results, &doc }) {
        const auto it = where->find(key);
        if (it != where->end() && it->is_string())
            return it->get<std::string>();
    }
    return fallback;
}

} // namespace

namespace {

std::optional<AdjustInputs> DesignFrom(const std::string& text, std::string& error)
{
    // The parser takes a NUL for the end of the text; JSON has no place for one.
    const Json doc = text.find('\0') == std::string::npos ? Json::parse(text, nullptr, false)
                                                          : Json(Json::value_t::discarded);
    if (doc.is_discarded() || !doc.is_object()) {
        error = "the design is not the JSON of qoru-calc mix1, mix2 or ordinary --json";
        return std::nullopt;
    }
    if (doc.value("stopped", false)) {
        error = "the design calculation stopped: there is no mix to adjust";
        return std::nullopt;
    }
    if (!doc.value("passed", true)) {
        error = "the design failed its self-compacting check: there is no mix to adjust";
        return std::nullopt;
    }
    const auto results = doc.find("results");
    if (results == doc.end() || !results->is_object()) {
        error = "the design holds no \"results\"";
        return std::nullopt;
    }

    AdjustInputs in;
    if (results->contains("stone")) {
        // qoru-calc ordinary: decimal strings, as its report prints them.
        const char* const keys[kAdjustMaterials]
            = { "cement", "flyAsh", "slag", "sand", "stone", "water", "admixture" };
        for (int m = 0; m < kAdjustMaterials; ++m) {
            const auto value = results->find(keys[m]);
            if (value == results->end() || !value->is_string()
                || !ParseNumberWord(value->get<std::string>())) {
                error = std::string("the design has no number \"") + keys[m] + "\"";
                return std::nullopt;
            }
            in.masses[static_cast<size_t>(m)] = value->get<std::string>();
        }
        in.powder1Name = "粉煤灰";
        in.powder2Name = "矿渣粉";
        return in;
    }
    const bool method1 = results->contains("flyAshMass");
    const char* const keys[kAdjustMaterials] = { "cementMass",
        method1 ? "flyAshMass" : "powder1Mass", method1 ? "slagMass" : "powder2Mass", "sandMass",
        "coarseMass", "waterMass", method1 ? "admixtureMass" : nullptr };
    for (int m = 0; m < kAdjustMaterials; ++m) {
        if (!keys[m]) {
            in.masses[static_cast<size_t>(m)] = "0"; // method 2 uses no admixture
            continue;
        }
        const auto value = results->find(keys[m]);
        if (value == results->end() || !value->is_number()) {
            error = std::string("the design has no number \"") + keys[m] + "\"";
            return std::nullopt;
        }
        // As the design form's box shows it.
        in.masses[static_cast<size_t>(m)] = FormatGeneral(value->get<double>(), 15);
    }
    in.powder1Name = method1 ? "粉煤灰" : NameOf(doc, *results, "powder1Name", "粉体一");
    in.powder2Name = method1 ? "矿渣粉" : NameOf(doc, *results, "powder2Name", "粉体二");
    const std::pair<const char*, const std::string*> names[]
        = { { "powder1Name", &in.powder1Name }, { "powder2Name", &in.powder2Name } };
    for (const auto& [key, name] : names) {
        const std::string fault = PowderNameFault(*name);
        if (!fault.empty()) {
            error = std::string("its ") + key + " " + fault;
            return std::nullopt;
        }
    }
    return in;
}

} // namespace

std::optional<AdjustInputs> AdjustDesignFromJson(const std::string& text, std::string& error)
{
    try {
        return DesignFrom(text, error);
    } catch (const nlohmann::json::exception&) {
        // A field of another type than the mix commands write.
        error = "the design is not the JSON of qoru-calc mix1, mix2 or ordinary --json";
        return std::nullopt;
    }
}

std::string PowderNameFault(const std::string& name)
{
    if (IsBoxName(name))
        return {};
    return Quoted(name) + " is not a name (1 to " + std::to_string(kBoxChars)
        + " characters of UTF-8 text, no control characters)";
}
