#include "stats/stddev.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstddef>
#include <random>
#include <string>
#include <vector>

namespace {

const std::string kRangeText = "“请填入一个在0和500之间的数字。”";

// The list as the dialog keeps it: each row with the value its box held.
std::vector<double> Typed(const std::vector<std::string>& texts)
{
    std::vector<double> rows;
    for (const std::string& text : texts) {
        const StrengthEntry e = ReadStrengthBox(text);
        EXPECT_EQ(e.check, StrengthCheck::Accepted) << text;
        rows.push_back(static_cast<double>(e.value));
    }
    return rows;
}

std::vector<double> Repeated(const std::string& text, int n)
{
    return Typed(std::vector<std::string>(static_cast<size_t>(n), text));
}

TEST(StrengthBox, TextThatIsNoFloatIsNotANumber)
{
    // 1e39 is a fine double but lies beyond single precision.
    for (const char* text : { "", "abc", ".0", "-0", "12,5", "1e39", "-1e39" }) {
        SCOPED_TRACE(text);
        const StrengthEntry e = ReadStrengthBox(text);
        EXPECT_EQ(e.check, StrengthCheck::NotANumber);
        EXPECT_EQ(e.notice.text, "请键入一个数。");
        EXPECT_EQ(e.notice.source, MessageSource::Input);
        EXPECT_TRUE(e.focusBox);
    }
}

TEST(StrengthBox, RangeIsCheckedInSinglePrecision)
{
    // 500.00001 narrows to 500 and passes; 500.0001 narrows to just above 500.
    for (const char* text : { "500.5", "-1", "500.0001", "-0.000001", "1e38" }) {
        SCOPED_TRACE(text);
        const StrengthEntry e = ReadStrengthBox(text);
        EXPECT_EQ(e.check, StrengthCheck::OutOfRange);
        EXPECT_EQ(e.notice.text, kRangeText);
        EXPECT_EQ(e.notice.source, MessageSource::Input);
        EXPECT_TRUE(e.focusBox);
    }
    EXPECT_EQ(ReadStrengthBox("500.5").value, 500.5f); // the member still takes it
    EXPECT_EQ(ReadStrengthBox("500").check, StrengthCheck::Accepted);
    const StrengthEntry justAbove = ReadStrengthBox("500.00001");
    EXPECT_EQ(justAbove.check, StrengthCheck::Accepted);
    EXPECT_EQ(justAbove.value, 500.0f);
}

TEST(StrengthBox, ZeroIsRefusedAfterTheRangeCheck)
{
    // 1e-50 and -1e-50 pass the number rule and narrow to zero.
    for (const char* text : { "0", "0.000", " 0 ", "1e-50", "-1e-50" }) {
        SCOPED_TRACE(text);
        const StrengthEntry e = ReadStrengthBox(text);
        EXPECT_EQ(e.check, StrengthCheck::NotPositive);
        EXPECT_EQ(e.value, 0.0f);
        EXPECT_EQ(e.notice.text, "砼试件强度应大于零。");
        EXPECT_EQ(e.notice.source, MessageSource::Calculator);
        EXPECT_FALSE(e.focusBox);
    }
}

TEST(StrengthBox, RowsAndBoxesShowTheSinglePrecisionValue)
{
    struct Row
    {
        const char* typed;
        const char* row;
        const char* box;
    };
    for (const Row& r : {
             Row { "5", " 5.00", "5" },
             Row { "500", "500.00", "500" },
             Row { "125", "125.00", "125" },
             Row { "0.125", " 0.13", "0.125" }, // exact tie: away from zero
             Row { "2.675", " 2.67", "2.675" }, // the float lies below the tie
             Row { "12.3456789", "12.35", "12.3457" },
             Row { "  38.2\t", "38.20", "38.2" },
         }) {
        SCOPED_TRACE(r.typed);
        const StrengthEntry e = ReadStrengthBox(r.typed);
        ASSERT_EQ(e.check, StrengthCheck::Accepted);
        EXPECT_EQ(StrengthRowText(e.value), r.row);
        EXPECT_EQ(StrengthBoxText(e.value), r.box);
    }
    EXPECT_EQ(StrengthBoxText(0.0f), "0");
    EXPECT_EQ(CountBoxText(25), "25");
}

TEST(StdDev, NeedsTwentyFiveResults)
{
    std::vector<double> rows;
    for (int v = 24; v <= 47; ++v)
        rows.push_back(v);
    const StdDevOutcome refused = ComputeStdDev(rows, 3.45);
    EXPECT_TRUE(refused.stopped);
    ASSERT_EQ(refused.messages.size(), 1U);
    EXPECT_EQ(refused.messages[0].kind, MessageKind::Stop);
    EXPECT_EQ(refused.messages[0].text, "规范要求砼试件强度数据不少于25组。");
    EXPECT_EQ(refused.sigma, 3.45); // σ shown before stays
    EXPECT_EQ(refused.count, 24);

    // 24 ... 48: mean 36, Σd² = 2(1² + ... + 12²) = 1300, 1300 / 24 = 54.1667,
    // √ = 7.3598, so 7.36 (7.35 if truncated, 7.21 with n in the denominator).
    rows.push_back(48);
    const StdDevOutcome done = ComputeStdDev(rows, 3.45);
    EXPECT_FALSE(done.stopped);
    EXPECT_TRUE(done.messages.empty());
    EXPECT_EQ(done.count, 25);
    EXPECT_EQ(SigmaBoxText(done.sigma), "7.36");
}

TEST(StdDev, WorkedExamples)
{
    const std::vector<double> lab = Typed({ "38.2", "41.5", "36.9", "40.3", "43.1", "39.8", "37.4",
        "42.6", "44.0", "38.7", "40.9", "35.6", "41.2", "39.1", "42.3", "37.9", "40.0", "43.7",
        "36.4", "39.5", "41.8", "38.0", "40.6", "42.9", "39.3" });
    const StdDevOutcome out = ComputeStdDev(lab, 0);
    EXPECT_NEAR(SampleStdDev(lab), 2.34036, 1e-5);
    EXPECT_EQ(SigmaBoxText(out.sigma), "2.34");

    // Deviations ±7.25, ±1.25, ±0.25 around 30 and 19 at 30, all exact in binary:
    // Σd² = 108.375, / 24 = 4.515625, √ = 2.125 exactly, a tie that goes up.
    std::vector<double> tie = { 37.25, 22.75, 31.25, 28.75, 30.25, 29.75 };
    tie.resize(25, 30.0);
    EXPECT_EQ(SampleStdDev(tie), 2.125);
    EXPECT_EQ(SigmaBoxText(ComputeStdDev(tie, 0).sigma), "2.13");
}

TEST(StdDev, RoundsHalfUpToHundredths)
{
    struct Row
    {
        double sigma;
        const char* shown;
    };
    for (const Row& r : {
             Row { 2.125, "2.13" }, // half-even would give 2.12
             Row { 2.1249999, "2.12" },
             Row { 0.005, "0.01" },
             Row { 0.0049999, "0" },
             Row { 3.455, "3.46" },
             Row { 1.005, "1" }, // stored below the tie: 100.49999999999999
             Row { 3.4500001, "3.45" },
             Row { 0, "0" },
         }) {
        SCOPED_TRACE(r.sigma);
        EXPECT_EQ(SigmaBoxText(RoundSigma(r.sigma)), r.shown);
    }
}

TEST(StdDev, EqualResultsGiveExactlyZero)
{
    // For each of these the sum of squares minus the squared sum over n comes
    // out below zero in double precision.
    for (const auto& [text, n] : std::vector<std::pair<std::string, int>> {
             { "0.7", 25 }, { "0.1", 100 }, { "20.6", 25 }, { "500", 25 }, { "35.7", 10000 } }) {
        SCOPED_TRACE(text + " x" + std::to_string(n));
        const std::vector<double> rows = Repeated(text, n);
        EXPECT_EQ(SampleStdDev(rows), 0.0);
        const StdDevOutcome out = ComputeStdDev(rows, 1.0);
        EXPECT_FALSE(out.stopped);
        EXPECT_EQ(out.sigma, 0.0);
        EXPECT_EQ(SigmaBoxText(out.sigma), "0");
    }
}

TEST(StdDev, UsesTheValueNotTheRowText)
{
    // Every row reads 30.00, yet the values differ in the third decimal.
    std::vector<double> rows = Repeated("30.004", 13);
    for (double v : Repeated("30", 12))
        rows.push_back(v);
    EXPECT_EQ(StrengthRowText(static_cast<float>(rows[0])), "30.00");
    EXPECT_NEAR(SampleStdDev(rows), 0.0020396, 1e-6);
}

TEST(StdDev, DependsOnlyOnTheValuesNowInTheList)
{
    std::mt19937 rng(20240611);
    std::uniform_int_distribution<int> thousandths(10000, 80000);
    auto typedValue = [&] {
        const int t = thousandths(rng);
        const std::string text
            = std::to_string(t / 1000) + "." + std::to_string(t % 1000 + 1000).substr(1);
        return static_cast<double>(ReadStrengthBox(text).value);
    };

    // 25 equal results, then thousands of other rows added and deleted again.
    std::vector<double> rows = Repeated("35.7", 25);
    const std::vector<double> base = rows;
    for (int step = 0; step < 4000; ++step) {
        if (rows.size() > 25 && rng() % 3 == 0) {
            const size_t other = 25 + rng() % (rows.size() - 25);
            rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(other));
        } else {
            rows.push_back(typedValue());
        }
    }

    // What remains, in any order, gives the σ of those values to the last bit.
    std::vector<double> shuffled = rows;
    std::shuffle(shuffled.begin(), shuffled.end(), rng);
    EXPECT_EQ(SampleStdDev(rows), SampleStdDev(shuffled));
    std::reverse(shuffled.begin(), shuffled.end());
    EXPECT_EQ(SampleStdDev(rows), SampleStdDev(shuffled));

    // A row deleted from the middle and added again at the end.
    const double before = SampleStdDev(rows);
    const double moved = rows[rows.size() / 2];
    rows.erase(rows.begin() + static_cast<std::ptrdiff_t>(rows.size() / 2));
    rows.push_back(moved);
    EXPECT_EQ(SampleStdDev(rows), before);

    // Deleting all the others leaves the 25 equal results, and exactly 0.
    rows.erase(std::remove_if(rows.begin(), rows.end(), [&](double v) { return v != base[0]; }),
        rows.end());
    ASSERT_GE(rows.size(), 25U);
    EXPECT_EQ(SampleStdDev(rows), 0.0);
    EXPECT_EQ(ComputeStdDev(rows, 9.99).sigma, 0.0);
}

} // namespace
