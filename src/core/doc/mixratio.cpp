#include "doc/mixratio.h"

#include "common/exactdecimal.h"

#include <algorithm>
#include <optional>

namespace {

constexpr int kRatioDecimals = 2;
constexpr int kMaxMassDecimals = 6;

int Decimals(const std::string& text)
{
    const auto point = text.find('.');
    return point == std::string::npos ? 0 : static_cast<int>(text.size() - point - 1);
}

std::optional<Fraction> Mass(const std::string& text)
{
    const int decimals = Decimals(text);
    if (text.empty() || decimals > kMaxMassDecimals)
        return std::nullopt;
    const auto units = ParseUnits(text, decimals);
    if (!units)
        return std::nullopt;
    return Fraction::Units(*units, decimals);
}

} // namespace

std::string SumMassText(const std::vector<std::string>& masses)
{
    Fraction sum;
    int decimals = 0;
    bool any = false;
    for (const std::string& text : masses)
        if (auto mass = Mass(text)) {
            sum = sum + *mass;
            decimals = std::max(decimals, Decimals(text));
            any = true;
        }
    return any ? UnitsText(sum.RoundUnits(decimals), decimals) : std::string();
}

std::vector<std::string> MixRatioParts(
    const std::vector<std::string>& masses, const std::string& binderMass)
{
    const auto binder = Mass(binderMass);
    if (!binder || *binder <= Fraction(0))
        return {};
    std::vector<std::string> parts;
    for (const std::string& text : masses) {
        const auto mass = Mass(text);
        if (!mass)
            parts.emplace_back();
        else if (*mass == *binder)
            parts.emplace_back("1");
        else
            parts.push_back(
                UnitsText((*mass / *binder).RoundUnits(kRatioDecimals), kRatioDecimals));
    }
    return parts;
}

std::string MixRatioText(const std::vector<std::string>& parts)
{
    std::string text;
    for (const std::string& part : parts) {
        if (part.empty())
            continue;
        if (!text.empty())
            text += "：";
        text += part;
    }
    return text;
}
