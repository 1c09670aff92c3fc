#include "common/reportnum.h"

#include "common/exactdecimal.h"

#include <cmath>
#include <cstdint>
#include <charconv>

namespace {

// True when |value| lies exactly halfway between two numbers of `decimals`
// decimals. Such a value is m / 2^k with m odd: its exact decimal expansion
// has exactly k fractional digits, the last one a 5, so it is a tie exactly
// when k == decimals + 1.
bool IsTie(double value, int decimals)
{
    int exponent = 0;
    const double fraction = std::frexp(std::fabs(value), &exponent); // [0.5, 1)
    auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53));
    if (mantissa == 0)
        return false;
    int power = exponent - 53;
    while ((mantissa & 1U) == 0) {
        mantissa >>= 1U;
        ++power;
    }
    return power == -(decimals + 1);
}

// "%.*f" without the C locale's say in the decimal point.
std::string Fixed(double value, int decimals)
{
    char buf[400]; // DBL_MAX has 309 integer digits
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::fixed, decimals);
    return std::string(buf, r.ptr);
}

std::string Pad(std::string s, int width)
{
    if (static_cast<int>(s.size()) < width)
        s.insert(0, static_cast<size_t>(width) - s.size(), ' ');
    return s;
}

} // namespace

std::string FormatFixed(double value, int decimals, int width)
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 40)
        decimals = 40;
    // printf rounds correctly except on ties, which it sends to even.
    if (!std::isfinite(value) || !IsTie(value, decimals))
        return Pad(Fixed(value, decimals), width);

    // A tie prints exactly with one more decimal, which is the trailing 5;
    // drop it and carry one into the kept digits, away from zero.
    std::string digits = Fixed(std::fabs(value), decimals + 1);
    digits.pop_back();
    if (!digits.empty() && digits.back() == '.')
        digits.pop_back();
    int i = static_cast<int>(digits.size()) - 1;
    for (; i >= 0; --i) {
        char& c = digits[static_cast<size_t>(i)];
        if (c == '.')
            continue;
        if (c != '9') {
            ++c;
            break;
        }
        c = '0';
    }
    if (i < 0)
        digits.insert(digits.begin(), '1');
    if (std::signbit(value))
        digits.insert(digits.begin(), '-');
    return Pad(digits, width);
}

std::string ReportNumber(double value, int decimals)
{
    const std::string s = FormatFixed(value, decimals, 10);
    const size_t first = s.find_first_not_of(' ');
    return first == std::string::npos ? std::string() : s.substr(first);
}

std::string ReportUnits(std::int64_t units, int decimals)
{
    return UnitsText(units, decimals);
}

std::string FormatGeneral(double value, int significant)
{
    char buf[64];
    const auto r = std::to_chars(buf, buf + sizeof buf, value, std::chars_format::general, significant);
    return std::string(buf, r.ptr);
}
