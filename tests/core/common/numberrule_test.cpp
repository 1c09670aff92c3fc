#include "common/numberrule.h"

#include <gtest/gtest.h>

namespace {

TEST(NumberRule, AcceptsDecimalNumbersWithBlanksAround)
{
    EXPECT_EQ(ParseNumberBox("0.33"), 0.33);
    EXPECT_EQ(ParseNumberBox("  3100\t"), 3100);
    EXPECT_EQ(ParseNumberBox("-1"), -1);
    EXPECT_EQ(ParseNumberBox("+2.5"), 2.5);
    EXPECT_EQ(ParseNumberBox(".5"), 0.5);
    EXPECT_EQ(ParseNumberBox("5."), 5);
    EXPECT_EQ(ParseNumberBox("1e3"), 1000);
    EXPECT_EQ(ParseNumberBox("2.5E-1"), 0.25);
    EXPECT_EQ(ParseNumberBox("0"), 0);
    EXPECT_EQ(ParseNumberBox("0.0"), 0);
    EXPECT_EQ(ParseNumberBox(" 00"), 0);
}

TEST(NumberRule, ZeroMustBeginWithTheDigitZero)
{
    EXPECT_FALSE(ParseNumberBox(""));
    EXPECT_FALSE(ParseNumberBox("   "));
    EXPECT_FALSE(ParseNumberBox(".0"));
    EXPECT_FALSE(ParseNumberBox("-0"));
    EXPECT_FALSE(ParseNumberBox("+0"));
}

TEST(NumberRule, RejectsAnythingElse)
{
    for (const char* text : { "abc", "1,5", "1.5x", "1 2", "--1", "1e", "1e+", "e5", ".", "-",
             "0x10", "inf", "nan", "1.2.3", "１", "3　" }) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(ParseNumberBox(text));
    }
}

TEST(NumberRule, RejectsNumbersOutsideTheDoubleRange)
{
    EXPECT_FALSE(ParseNumberBox("1e999"));
    EXPECT_FALSE(ParseNumberBox("1e-999"));
}

TEST(NumberRule, ReadsOnlyTheFirst31Characters)
{
    // 31 characters: the number is read whole.
    EXPECT_EQ(ParseNumberBox("1234567890123456789012345678901"), 1234567890123456789012345678901.0);
    // Garbage past the 31st character is never seen.
    EXPECT_EQ(ParseNumberBox(std::string(30, ' ') + "7xyz"), 7);
    // Characters are counted, not bytes.
    EXPECT_FALSE(ParseNumberBox("数" + std::string(29, ' ') + "7"));
}

TEST(NumberBox, AMemberTakesOnlyWhatItsTypeHolds)
{
    constexpr auto D = NumberBoxType::Double, F = NumberBoxType::Float, I = NumberBoxType::Int;
    const struct
    {
        const char* text;
        NumberBoxType type;
        std::optional<double> value;
    } rows[] = {
        { "1e39", D, 1e39 },
        { "1e39", F, std::nullopt }, // beyond single precision
        { "-3.4e38", F, -3.4e38 },
        { "1e-50", F, 1e-50 }, // narrows to zero: the caller's business
        { "2147483647", I, 2147483647.0 },
        { "2147483648", I, std::nullopt },
        { "-2147483647", I, -2147483647.0 },
        { "25.0", I, 25.0 },
        { "2.5", I, std::nullopt }, // not whole
        { "abc", D, std::nullopt },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EXPECT_EQ(ReadNumberBox(row.text, row.type), row.value);
    }
    const Message refusal = NotANumberMessage();
    EXPECT_EQ(refusal.kind, MessageKind::Stop);
    EXPECT_EQ(refusal.source, MessageSource::Input);
}

} // namespace
