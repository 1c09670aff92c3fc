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

TEST(NumberRule, AWordIsReadWholeOrNotAtAll)
{
    const struct
    {
        std::string word;
        std::optional<double> value;
    } rows[] = {
        { "30.0000000000000000000000000000", 30 }, // 31 characters
        { "3.00000000000000000000000000000e1", std::nullopt }, // a box would read 3.0
        { "30.000000000000000000000000000000xyz", std::nullopt }, // a box would read 30
        { std::string(30, ' ') + "7", 7 }, { std::string(31, ' ') + "7", std::nullopt },
        { "数" + std::string(30, '1'), std::nullopt }, // not a number, but fits: 31 characters
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.word);
        EXPECT_EQ(ParseNumberWord(row.word), row.value);
        EXPECT_EQ(FitsBox(row.word), BoxChars(row.word) <= 31);
    }
    EXPECT_EQ(BoxChars("数" + std::string(30, '1')), 31u);
}

TEST(NumberRule, ANameIsUtf8WithoutControlsAndFitsABox)
{
    const struct
    {
        std::string name;
        bool accepted;
    } rows[] = {
        { "粉煤灰", true },
        { "Ⅱ级 fly ash", true },
        { std::string(31, 'x'), true },
        { std::string(32, 'x'), false },
        { "", false },
        { "\xFF\xFE"
          "30",
            false }, // not UTF-8
        { "\xC0\xB0", false }, // an overlong "0"
        { "\xED\xA0\x80", false }, // a surrogate
        { "\xE7\xB2", false }, // cut short
        { std::string("a\0b", 3), false },
        { "\x1B[2J", false },
        { "a\tb", false },
        { "\xC2\x85", false }, // a C1 control
        { "\x7F", false },
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_EQ(IsBoxName(row.name), row.accepted);
    }
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
