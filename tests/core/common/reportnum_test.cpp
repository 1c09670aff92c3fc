#include "common/reportnum.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

TEST(ReportNumber, TiesRoundAwayFromZero)
{
    EXPECT_EQ(ReportNumber(0.125, 2), "0.13");
    EXPECT_EQ(ReportNumber(0.375, 2), "0.38");
    EXPECT_EQ(ReportNumber(2.5, 0), "3");
    EXPECT_EQ(ReportNumber(0.5, 0), "1");
    EXPECT_EQ(ReportNumber(250.25, 1), "250.3");
    EXPECT_EQ(ReportNumber(-0.125, 2), "-0.13");
    EXPECT_EQ(ReportNumber(-2.5, 0), "-3");
    EXPECT_EQ(ReportNumber(9.95, 1), "9.9"); // 9.95 is stored below the tie
    EXPECT_EQ(ReportNumber(99.5, 0), "100");
    EXPECT_EQ(ReportNumber(9.875, 2), "9.88");
}

TEST(ReportNumber, NonTiesRoundToNearest)
{
    EXPECT_EQ(ReportNumber(2.675, 2), "2.67"); // stored as 2.67499999...
    EXPECT_EQ(ReportNumber(178.67, 1), "178.7");
    EXPECT_EQ(ReportNumber(7.8825, 1), "7.9");
    EXPECT_EQ(ReportNumber(2898, 2), "2898.00");
    EXPECT_EQ(ReportNumber(0.1 * 3, 1), "0.3");
    EXPECT_EQ(ReportNumber(0, 0), "0");
}

TEST(ReportNumber, LeadingBlanksAreRemovedAndWideNumbersKept)
{
    EXPECT_EQ(ReportNumber(3100, 0), "3100");
    EXPECT_EQ(ReportNumber(-56.4, 1), "-56.4");
    EXPECT_EQ(ReportNumber(123456789012.5, 1), "123456789012.5");
    EXPECT_EQ(ReportNumber(1e20, 0), "100000000000000000000");
}

TEST(FormatFixed, PadsToTheFieldWidth)
{
    EXPECT_EQ(FormatFixed(5, 2, 5), " 5.00");
    EXPECT_EQ(FormatFixed(125, 2, 5), "125.00");
    EXPECT_EQ(FormatFixed(0.125, 2, 10), "      0.13");
    EXPECT_EQ(FormatFixed(-0.001, 2, 0), "-0.00");
}

TEST(FormatFixed, NonFiniteValuesPrintAsPrintfDoes)
{
    EXPECT_EQ(FormatFixed(std::numeric_limits<double>::infinity(), 1), "inf");
    EXPECT_EQ(FormatFixed(-std::numeric_limits<double>::infinity(), 1), "-inf");
}

TEST(FormatGeneral, ShortestFormWithTheGivenDigits)
{
    EXPECT_EQ(FormatGeneral(0.33, 15), "0.33");
    EXPECT_EQ(FormatGeneral(3100, 15), "3100");
    EXPECT_EQ(FormatGeneral(0, 15), "0");
    EXPECT_EQ(FormatGeneral(0.1 * 3, 15), "0.3");
    EXPECT_EQ(FormatGeneral(1e20, 15), "1e+20");
    EXPECT_EQ(FormatGeneral(static_cast<float>(3.14159274), 6), "3.14159");
}

} // namespace
