#include "records/decimaltext.h"

#include "common/numberrule.h"

#include <cstdlib>

namespace {

constexpr long kMaxExponent = 30;

} // namespace

std::optional<std::string> DecimalText(const std::string& box)
{
    const auto parsed = ParseNumberBoxDigits(box);
    if (!parsed || parsed->exponent > kMaxExponent || parsed->exponent < -kMaxExponent)
        return std::nullopt;
    std::string whole = parsed->digits;
    std::string fraction;
    if (parsed->exponent >= 0) {
        whole.append(static_cast<size_t>(parsed->exponent), '0');
    } else {
        const size_t decimals = static_cast<size_t>(-parsed->exponent);
        if (whole.size() <= decimals)
            whole.insert(0, decimals - whole.size() + 1, '0');
        fraction = whole.substr(whole.size() - decimals);
        whole.erase(whole.size() - decimals);
    }
    const size_t first = whole.find_first_not_of('0');
    whole = first == std::string::npos ? "0" : whole.substr(first);
    std::string text = parsed->negative ? "-" : "";
    text += whole;
    if (!fraction.empty())
        text += "." + fraction;
    return text;
}

int DecimalSign(const std::string& decimal)
{
    if (decimal.find_first_of("123456789") == std::string::npos)
        return 0;
    return !decimal.empty() && decimal[0] == '-' ? -1 : 1;
}

bool DecimalAbove(const std::string& decimal, unsigned long limit)
{
    if (DecimalSign(decimal) < 0)
        return false;
    const std::string whole = decimal.substr(0, decimal.find('.'));
    if (whole.size() > 18)
        return true;
    const unsigned long integer = std::strtoul(whole.c_str(), nullptr, 10);
    const bool hasFraction = decimal.find('.') != std::string::npos
        && decimal.find_first_of("123456789", decimal.find('.')) != std::string::npos;
    return integer > limit || (integer == limit && hasFraction);
}
