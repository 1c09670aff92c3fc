#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Exact decimal arithmetic for the calculators whose rules round a decimal
// value half up (a half away from zero) once, where the rule says: a verdict
// or a printed figure must never depend on binary floating point.
//
// A decimal of d decimals is held as an integer count of 10^-d units
// (32.88 with 2 decimals is 3288). Intermediate values are exact fractions of
// 64-bit integers, kept in lowest terms; an operation whose result does not
// fit throws std::overflow_error. The calculators bound their inputs so that
// this never happens within their ranges.

// 10^decimals, for 0..18 decimals.
std::int64_t Pow10(int decimals);

class Fraction
{
public:
    Fraction() = default;
    Fraction(std::int64_t value) : m_num(value) { } // NOLINT: an integer is a fraction
    Fraction(std::int64_t num, std::int64_t den); // den != 0

    // units × 10^-decimals: Fraction::Units(3288, 2) is 32.88.
    static Fraction Units(std::int64_t units, int decimals);

    std::int64_t num() const { return m_num; }
    std::int64_t den() const { return m_den; } // always > 0

    Fraction operator-() const;
    friend Fraction operator+(const Fraction& a, const Fraction& b);
    friend Fraction operator-(const Fraction& a, const Fraction& b);
    friend Fraction operator*(const Fraction& a, const Fraction& b);
    friend Fraction operator/(const Fraction& a, const Fraction& b); // b != 0

    friend int Compare(const Fraction& a, const Fraction& b); // -1, 0 or 1
    friend bool operator==(const Fraction& a, const Fraction& b) { return Compare(a, b) == 0; }
    friend bool operator!=(const Fraction& a, const Fraction& b) { return Compare(a, b) != 0; }
    friend bool operator<(const Fraction& a, const Fraction& b) { return Compare(a, b) < 0; }
    friend bool operator<=(const Fraction& a, const Fraction& b) { return Compare(a, b) <= 0; }
    friend bool operator>(const Fraction& a, const Fraction& b) { return Compare(a, b) > 0; }
    friend bool operator>=(const Fraction& a, const Fraction& b) { return Compare(a, b) >= 0; }

    // The value rounded half up to `decimals` decimals, as units of 10^-decimals:
    // Fraction(32875, 1000).RoundUnits(2) is 3288, and -0.125 gives -13 at 2.
    std::int64_t RoundUnits(int decimals) const;

    // The same, back as a fraction: the value a report prints.
    Fraction Rounded(int decimals) const { return Units(RoundUnits(decimals), decimals); }

private:
    std::int64_t m_num = 0;
    std::int64_t m_den = 1;
};

// The number a box's text holds (by the number-box rule), rounded half up to
// `decimals` decimals from its exact decimal digits, never through a double:
// "30.05" gives 301 at 1 decimal and "2.4999999999999999999" gives 2 at 0.
// Empty when the text is no number, or the rounded value does not fit.
std::optional<std::int64_t> ParseUnits(const std::string& text, int decimals);

// The exact text of units × 10^-decimals with all its decimals: (3288, 2)
// gives "32.88", (-5, 2) "-0.05", (300, 0) "300". This is what the report
// formatter prints for that value.
std::string UnitsText(std::int64_t units, int decimals);

// The square root of a non-negative fraction, rounded half up to `decimals`
// decimals, in units. It compares squares of integers only: the result k is
// the one with (k - 1/2)^2 <= value × 100^decimals < (k + 1/2)^2.
std::int64_t SqrtRoundUnits(const Fraction& value, int decimals);

// floor(sqrt(n)).
std::uint64_t IntSqrt(std::uint64_t n);
