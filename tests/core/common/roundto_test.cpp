#include "common/roundto.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Case {
    const char* name;
    double value;
    int decimals;
    double expected;
};

class RoundToTest : public ::testing::TestWithParam<Case> { };

TEST_P(RoundToTest, RoundsHalfUp)
{
    const Case& c = GetParam();
    EXPECT_DOUBLE_EQ(RoundTo(c.value, c.decimals), c.expected) << c.name;
}

INSTANTIATE_TEST_SUITE_P(Cases, RoundToTest,
    ::testing::Values(
        Case { "below_half_goes_down", 0.3015, 2, 0.30 },
        Case { "binary_64_935_is_below_the_tie", 64.935, 1, 64.9 },
        Case { "whole_numbers", 2898.37, 0, 2898 },
        Case { "exact_half_goes_up", 0.125, 2, 0.13 },
        Case { "four_decimals", 1.23456, 4, 1.2346 },
        Case { "negative_rounds_toward_nearest", -1.24, 1, -1.2 },
        Case { "negative_below_half", -1.26, 1, -1.3 },
        Case { "negative_half_goes_up", -2.5, 0, -2 },
        Case { "negative_small", -0.04, 1, 0 }),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RoundTo, ScalesBackByMultiplyingWithTheStep)
{
    // 0.1 * 3 differs from 3 / 10.0 in the last bit; the reports rely on the product.
    EXPECT_EQ(RoundTo(0.3, 1), 3 * 0.1);
    EXPECT_EQ(RoundTo(0.7, 2), 70 * 0.01);
    EXPECT_EQ(RoundTo(1.15, 2), 115 * 0.01);
}

TEST(RoundTo, OtherDecimalCountsReturnTheValue)
{
    EXPECT_EQ(RoundTo(1.23456, 5), 1.23456);
    EXPECT_EQ(RoundTo(1.23456, -1), 1.23456);
}

TEST(RoundTo, ValuesBeyondThe32BitRangeRoundInDoublePrecision)
{
    EXPECT_EQ(RoundTo(3e9 + 0.4, 0), 3e9);
    EXPECT_EQ(RoundTo(-3e9 - 0.6, 0), -3e9 - 1);
    EXPECT_EQ(RoundTo(2147483647.4, 0), 2147483647.0);
    EXPECT_EQ(RoundTo(2147483647.6, 0), 2147483648.0);
    EXPECT_EQ(RoundTo(1e300, 2), std::floor(1e300 * 100 + 0.5) * 0.01);
}

TEST(RoundTo, NonFiniteValuesComeBackUnchanged)
{
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_EQ(RoundTo(inf, 1), inf);
    EXPECT_EQ(RoundTo(-inf, 0), -inf);
    EXPECT_TRUE(std::isnan(RoundTo(std::nan(""), 2)));
}

} // namespace
