#include "common/exactdecimal.h"

#include "common/numberrule.h"

#include <algorithm>
#include <cstdlib>
#include <limits>
#include <stdexcept>

namespace {

using i64 = std::int64_t;
constexpr i64 kMax = std::numeric_limits<i64>::max();
constexpr i64 kMin = std::numeric_limits<i64>::min();

[[noreturn]] void Overflow() { throw std::overflow_error("exact decimal out of range"); }

i64 Mul(i64 a, i64 b)
{
    if (a == 0 || b == 0)
        return 0;
    const bool over = a > 0 ? (b > 0 ? a > kMax / b : b < kMin / a)
                            : (b > 0 ? a < kMin / b : b < kMax / a);
    if (over)
        Overflow();
    return a * b;
}

i64 Add(i64 a, i64 b)
{
    if ((b > 0 && a > kMax - b) || (b < 0 && a < kMin - b))
        Overflow();
    return a + b;
}

i64 Gcd(i64 a, i64 b)
{
    a = a < 0 ? -a : a;
    b = b < 0 ? -b : b;
    while (b != 0) {
        const i64 t = a % b;
        a = b;
        b = t;
    }
    return a;
}

// Floor division with a positive divisor: q and r with a = q·d + r, 0 <= r < d.
void FloorDiv(i64 a, i64 d, i64& q, i64& r)
{
    q = a / d;
    r = a % d;
    if (r < 0) {
        --q;
        r += d;
    }
}

// Compares n1/d1 with n2/d2 (0 <= n < d) without multiplying, by their
// continued-fraction expansions, so it never overflows.
int CompareProper(i64 n1, i64 d1, i64 n2, i64 d2)
{
    int sign = 1;
    for (;;) {
        if (n1 == 0 || n2 == 0)
            return sign * (n1 == 0 ? (n2 == 0 ? 0 : -1) : 1);
        // n1/d1 < n2/d2  <=>  d1/n1 > d2/n2
        const i64 q1 = d1 / n1, r1 = d1 % n1;
        const i64 q2 = d2 / n2, r2 = d2 % n2;
        if (q1 != q2)
            return sign * (q1 > q2 ? -1 : 1);
        // Same integer parts: the order of r1/n1 and r2/n2, reversed.
        d1 = n1;
        n1 = r1;
        d2 = n2;
        n2 = r2;
        sign = -sign;
    }
}

} // namespace

i64 Pow10(int decimals)
{
    if (decimals < 0 || decimals > 18)
        Overflow();
    i64 p = 1;
    for (int i = 0; i < decimals; ++i)
        p *= 10;
    return p;
}

Fraction::Fraction(i64 num, i64 den)
{
    if (den == 0)
        throw std::domain_error("fraction with a zero denominator");
    if (num == kMin || den == kMin)
        Overflow();
    if (den < 0) {
        num = -num;
        den = -den;
    }
    const i64 g = Gcd(num, den);
    m_num = g > 1 ? num / g : num;
    m_den = g > 1 ? den / g : den;
}

Fraction Fraction::Units(i64 units, int decimals) { return Fraction(units, Pow10(decimals)); }

Fraction Fraction::operator-() const { return Fraction(Mul(m_num, -1), m_den); }

Fraction operator+(const Fraction& a, const Fraction& b)
{
    const i64 g = Gcd(a.m_den, b.m_den);
    const i64 num = Add(Mul(a.m_num, b.m_den / g), Mul(b.m_num, a.m_den / g));
    return Fraction(num, Mul(a.m_den, b.m_den / g));
}

Fraction operator-(const Fraction& a, const Fraction& b) { return a + (-b); }

Fraction operator*(const Fraction& a, const Fraction& b)
{
    // Cross-reduce first, so the products stay as small as they can.
    const i64 g1 = std::max<i64>(Gcd(a.m_num, b.m_den), 1);
    const i64 g2 = std::max<i64>(Gcd(b.m_num, a.m_den), 1);
    return Fraction(Mul(a.m_num / g1, b.m_num / g2), Mul(a.m_den / g2, b.m_den / g1));
}

Fraction operator/(const Fraction& a, const Fraction& b)
{
    if (b.m_num == 0)
        throw std::domain_error("division by zero");
    return a * Fraction(b.m_den, b.m_num);
}

int Compare(const Fraction& a, const Fraction& b)
{
    i64 qa, ra, qb, rb;
    FloorDiv(a.m_num, a.m_den, qa, ra);
    FloorDiv(b.m_num, b.m_den, qb, rb);
    if (qa != qb)
        return qa < qb ? -1 : 1;
    return CompareProper(ra, a.m_den, rb, b.m_den);
}

i64 Fraction::RoundUnits(int decimals) const
{
    const i64 scale = Pow10(decimals);
    const i64 magnitude = m_num < 0 ? -m_num : m_num;
    const i64 whole = magnitude / m_den;
    const i64 rest = magnitude % m_den; // the fraction rest/den < 1
    // rest/den × scale = part + left/den, with left < den
    const i64 scaled = Mul(rest, scale);
    i64 part = scaled / m_den;
    const i64 left = scaled % m_den;
    if (left >= m_den - left) // a half or more: away from zero
        ++part;
    const i64 units = Add(Mul(whole, scale), part);
    return m_num < 0 ? -units : units;
}

std::optional<i64> ParseUnits(const std::string& text, int decimals)
{
    const auto d = ParseNumberBoxDigits(text);
    if (!d)
        return std::nullopt;
    const std::string& digits = d->digits;
    const long shift = d->exponent + decimals; // units = digits × 10^shift
    // Digits kept whole, and the first digit dropped (which decides the rounding).
    const long kept = static_cast<long>(digits.size()) + shift;
    i64 units = 0;
    try {
        for (long i = 0; i < kept; ++i) {
            const int digit = i < static_cast<long>(digits.size()) ? digits[static_cast<size_t>(i)] - '0' : 0;
            if (units == 0 && digit == 0)
                continue; // leading zeros, or a zero number with a huge exponent
            units = Add(Mul(units, 10), digit);
        }
        if (kept >= 0 && kept < static_cast<long>(digits.size()) && digits[static_cast<size_t>(kept)] >= '5')
            units = Add(units, 1);
    } catch (const std::overflow_error&) {
        return std::nullopt;
    }
    return d->negative ? -units : units;
}

std::string UnitsText(i64 units, int decimals)
{
    const bool negative = units < 0;
    std::string digits = std::to_string(units);
    if (negative)
        digits.erase(0, 1);
    if (decimals > 0) {
        if (digits.size() <= static_cast<size_t>(decimals))
            digits.insert(0, static_cast<size_t>(decimals) + 1 - digits.size(), '0');
        digits.insert(digits.size() - static_cast<size_t>(decimals), 1, '.');
    }
    return negative ? "-" + digits : digits;
}

std::uint64_t IntSqrt(std::uint64_t n)
{
    // Newton's method from above, on integers.
    if (n < 2)
        return n;
    std::uint64_t x = n / 2 + 1;
    std::uint64_t y = (x + n / x) / 2;
    while (y < x) {
        x = y;
        y = (x + n / x) / 2;
    }
    return x;
}

namespace {

using u64 = std::uint64_t;

// An unsigned 128-bit integer with just what the square root needs, written
// out so that every compiler (MSVC has no __int128) runs the same code.
struct U128
{
    u64 hi = 0, lo = 0;
};

bool operator<(const U128& a, const U128& b)
{
    return a.hi != b.hi ? a.hi < b.hi : a.lo < b.lo;
}

// a × b, whole.
U128 MulWide(u64 a, u64 b)
{
    const u64 aLo = a & 0xFFFFFFFFU, aHi = a >> 32, bLo = b & 0xFFFFFFFFU, bHi = b >> 32;
    const u64 low = aLo * bLo;
    const u64 mid1 = aHi * bLo, mid2 = aLo * bHi;
    const u64 mid = (low >> 32) + (mid1 & 0xFFFFFFFFU) + (mid2 & 0xFFFFFFFFU);
    U128 r;
    r.lo = (mid << 32) | (low & 0xFFFFFFFFU);
    r.hi = aHi * bHi + (mid1 >> 32) + (mid2 >> 32) + (mid >> 32);
    return r;
}

// a × b; throws when it needs more than 128 bits.
U128 MulWide(const U128& a, u64 b)
{
    U128 r = MulWide(a.lo, b);
    const U128 high = MulWide(a.hi, b);
    if (high.hi != 0 || r.hi > UINT64_MAX - high.lo)
        Overflow();
    r.hi += high.lo;
    return r;
}

// floor(a / d) for d > 0, one bit at a time: the remainder stays below d < 2^63.
U128 DivWide(const U128& a, u64 d)
{
    U128 q;
    u64 rest = 0;
    for (int bit = 127; bit >= 0; --bit) {
        const u64 word = bit >= 64 ? a.hi : a.lo;
        rest = (rest << 1) | ((word >> (bit % 64)) & 1U);
        if (rest >= d) {
            rest -= d;
            (bit >= 64 ? q.hi : q.lo) |= u64 { 1 } << (bit % 64);
        }
    }
    return q;
}

// floor(sqrt(n)), built a bit at a time from the highest: the root fits 64 bits.
u64 IntSqrtWide(const U128& n)
{
    u64 root = 0;
    for (int bit = 63; bit >= 0; --bit) {
        const u64 trial = root | (u64 { 1 } << bit);
        if (!(n < MulWide(trial, trial)))
            root = trial;
    }
    return root;
}

} // namespace

i64 SqrtRoundUnits(const Fraction& value, int decimals)
{
    if (value.num() < 0)
        throw std::domain_error("square root of a negative number");
    // k is the rounded root in units when (2k-1)^2 <= q < (2k+1)^2, with
    // q = 4 × value × 100^decimals. floor(sqrt(q)) = IntSqrt(floor(q)) is then
    // 2k-1 or 2k, and k = (j + 1) / 2 in integers. A tie, q = (2k+1)^2, goes up.
    // A sample's variance has a numerator near 2^63 at the input limits, so
    // floor(q) is taken in 128 bits.
    const auto scale = static_cast<u64>(Pow10(decimals));
    U128 scaled = MulWide(static_cast<u64>(value.num()), 4);
    scaled = MulWide(MulWide(scaled, scale), scale);
    const u64 j = IntSqrtWide(DivWide(scaled, static_cast<u64>(value.den())));
    const u64 k = j / 2 + (j & 1U);
    if (k > static_cast<u64>(kMax))
        Overflow();
    return static_cast<i64>(k);
}
