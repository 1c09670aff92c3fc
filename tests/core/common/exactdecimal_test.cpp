#include "common/exactdecimal.h"
#include "common/reportnum.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace {

TEST(ExactDecimal, TypedTextRoundsHalfUpFromItsDigits)
{
    struct Row {
        const char* text;
        int decimals;
        std::int64_t units;
    };
    const Row rows[] = {
        { "30.05", 1, 301 }, // 30.05 as a double is below the tie
        { "2.675", 2, 268 },
        { "2.4999999999999999999", 0, 2 },
        { "-0.125", 2, -13 }, // away from zero
        { " 3.5e1 ", 0, 35 },
        { "125e-3", 2, 13 },
        { "0.04", 1, 0 },
        { "0.05", 1, 1 },
        { "0e99999", 2, 0 },
        { "500", 1, 5000 },
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.text);
        const auto units = ParseUnits(r.text, r.decimals);
        ASSERT_TRUE(units.has_value());
        EXPECT_EQ(*units, r.units);
    }
    EXPECT_FALSE(ParseUnits("", 1));
    EXPECT_FALSE(ParseUnits("3,5", 1));
    EXPECT_FALSE(ParseUnits("1e300", 1)); // a number, but no 64-bit count of tenths
}

TEST(ExactDecimal, FractionsStayExactAndRoundOnce)
{
    // 30 + 1.15 × 2.50 = 32.875 -> 32.88, the rule's own example
    const Fraction right = Fraction(30) + Fraction::Units(115, 2) * Fraction::Units(250, 2);
    EXPECT_EQ(right, Fraction(32875, 1000));
    EXPECT_EQ(right.RoundUnits(2), 3288);
    EXPECT_EQ((-right).RoundUnits(2), -3288);
    // (30.1 + 30.2) / 2 = 30.15 -> 30.2
    EXPECT_EQ(((Fraction::Units(301, 1) + Fraction::Units(302, 1)) / 2).RoundUnits(1), 302);
    EXPECT_EQ((Fraction(1) / 3 * 3), Fraction(1));
    EXPECT_LT(Fraction(1, 3), Fraction(333334, 1000000));
    EXPECT_GT(Fraction(-1, 3), Fraction(-333334, 1000000));
    // Comparing fractions with large terms does not multiply them.
    EXPECT_GT(Fraction(INT64_MAX - 1, INT64_MAX), Fraction(INT64_MAX - 2, INT64_MAX - 1));
    EXPECT_THROW(Fraction(INT64_MAX) * Fraction(2), std::overflow_error);
}

TEST(ExactDecimal, RootsRoundHalfUpByComparingSquares)
{
    EXPECT_EQ(SqrtRoundUnits(Fraction(4), 2), 200);
    EXPECT_EQ(SqrtRoundUnits(Fraction(0), 2), 0);
    // 2.925^2 = 8.555625 is exactly the tie between 2.92 and 2.93
    EXPECT_EQ(SqrtRoundUnits(Fraction(8555625, 1000000), 2), 293);
    EXPECT_EQ(SqrtRoundUnits(Fraction(8555624, 1000000), 2), 292);
    EXPECT_EQ(IntSqrt(UINT64_MAX), 4294967295U);

    // Terms near 2^63 whose scaled value needs 128 bits: sqrt(m²/64) is
    // m/8, and with m = 2000000001 exactly the tie 250000000.125 at 2 decimals.
    const std::int64_t m = 2000000001;
    EXPECT_EQ(SqrtRoundUnits(Fraction(m * m, 64), 2), 25000000013);
    EXPECT_EQ(SqrtRoundUnits(Fraction(m * m - 1, 64), 2), 25000000012);
    EXPECT_EQ(SqrtRoundUnits(Fraction(INT64_MAX, 3), 2), 175341305619); // 1753413056.19…
    EXPECT_EQ(SqrtRoundUnits(Fraction(INT64_MAX), 9), 3037000499976049692);
    EXPECT_THROW(SqrtRoundUnits(Fraction(INT64_MAX), 10), std::overflow_error);
}

TEST(ExactDecimal, ReportTextMatchesTheFormatter)
{
    const std::int64_t units[] = { 3288, -5, 0, 300, 7, -123456 };
    for (int decimals = 0; decimals <= 3; ++decimals)
        for (const std::int64_t u : units) {
            SCOPED_TRACE(u);
            EXPECT_EQ(ReportUnits(u, decimals),
                ReportNumber(static_cast<double>(u) / static_cast<double>(Pow10(decimals)), decimals));
        }
}

} // namespace
